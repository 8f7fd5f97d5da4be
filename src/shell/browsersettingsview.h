#pragma once

#include <QWidget>

class BrowserSettings;
class QCheckBox;
class QToolButton;

// The browser settings of the options view's "Other Options": the two ticks,
// the two restore buttons in front of them and the note. The rules are
// BrowserSettings'; the boxes follow its ticks.
class BrowserSettingsView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int PreferredHeight = 92;

    BrowserSettingsView(BrowserSettings &settings, QWidget *parent = nullptr);

    QCheckBox *imagesBox() const { return m_images; }
    QCheckBox *scriptsBox() const { return m_scripts; }

private:
    void showTicks();

    BrowserSettings &m_settings;
    QCheckBox *m_images = nullptr;
    QCheckBox *m_scripts = nullptr;
};
