#include "shell/browsersettingsview.h"

#include "shell/browsersettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QToolButton>

namespace {

constexpr int RowHeight = 22;
constexpr int ButtonSize = 16;
constexpr int BoxLeft = ButtonSize + 6;
constexpr int NoteLeft = 48;

QToolButton *restoreButton(const char *name, int y, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(0, y + (RowHeight - ButtonSize) / 2, ButtonSize, ButtonSize);
    button->setToolTip(BrowserSettingsView::tr("Give the browser back its own setting"));
    return button;
}

} // namespace

BrowserSettingsView::BrowserSettingsView(BrowserSettings &settings, QWidget *parent)
    : QWidget(parent),
      m_settings(settings)
{
    setObjectName(QStringLiteral("Panel_browser_settings"));
    const int width = parent ? parent->width() : 312;

    QToolButton *restoreImages = restoreButton("SpeedButton3", 0, this);
    m_images = new QCheckBox(QStringLiteral("Do not load Inline images (much faster)"), this);
    m_images->setObjectName(QStringLiteral("CheckBox_ie_images"));
    m_images->setGeometry(BoxLeft, 0, width - BoxLeft, RowHeight);

    QToolButton *restoreScripts = restoreButton("SpeedButton4", RowHeight, this);
    m_scripts = new QCheckBox(QStringLiteral("Enable javascript (needed by most sites...)"), this);
    m_scripts->setObjectName(QStringLiteral("CheckBox_javascript"));
    m_scripts->setGeometry(BoxLeft, RowHeight, width - BoxLeft, RowHeight);

    auto *noteLabel = new QLabel(QStringLiteral("note :"), this);
    noteLabel->setObjectName(QStringLiteral("Label_browser_note"));
    noteLabel->setGeometry(0, 2 * RowHeight + 4, NoteLeft, RowHeight);
    auto *note = new QLabel(QStringLiteral("changing those options will also afect IE, but you can "
                                           "always change those back to 'default' again here..."),
                            this);
    note->setObjectName(QStringLiteral("Label_browser_note_text"));
    note->setWordWrap(true);
    note->setGeometry(NoteLeft, 2 * RowHeight + 4, width - NoteLeft, PreferredHeight - 2 * RowHeight - 4);

    resize(width, PreferredHeight);
    showTicks();

    // A user's click: the rules run the handler for the new tick.
    connect(m_images, &QCheckBox::clicked, this,
            [this](bool ticked) { m_settings.setImagesTicked(ticked); });
    connect(m_scripts, &QCheckBox::clicked, this,
            [this](bool ticked) { m_settings.setScriptsTicked(ticked); });
    connect(restoreImages, &QToolButton::clicked, this, [this] { m_settings.SpeedButton3Click(); });
    connect(restoreScripts, &QToolButton::clicked, this, [this] { m_settings.SpeedButton4Click(); });
    m_settings.ticksChanged = [this] { showTicks(); };
}

void BrowserSettingsView::showTicks()
{
    m_images->setChecked(m_settings.imagesTicked());
    m_scripts->setChecked(m_settings.scriptsTicked());
}
