#include "submit/browser/popupwindow.h"

#include "submit/browser/browserwindow.h"

#include <QVBoxLayout>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineView>

PopupWindow::PopupWindow(const BrowserOptions &options, QWidget *opener)
    : QWidget(opener, Qt::Window)
{
    setObjectName(QStringLiteral("PopupWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_page = TForm2::createPage(options, this);
    m_view = new QWebEngineView(this);
    m_view->setPage(m_page);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    connect(m_page, &QWebEnginePage::titleChanged, this, &QWidget::setWindowTitle);
    connect(m_page, &QWebEnginePage::windowCloseRequested, this, &QWidget::close);
    connect(m_page, &QWebEnginePage::newWindowRequested, this,
            [this, options](QWebEngineNewWindowRequest &request) { open(request, options, this); });
}

PopupWindow *PopupWindow::open(QWebEngineNewWindowRequest &request, const BrowserOptions &options,
                               QWidget *opener)
{
    // Pages that open windows on their own are mostly advertising.
    if (!request.isUserInitiated())
        return nullptr;
    auto *window = new PopupWindow(options, opener);
    const QRect asked = request.requestedGeometry();
    const QRect beside = opener->geometry().translated(40, 40);
    window->resize(asked.width() > 100 && asked.height() > 100 ? asked.size() : beside.size());
    window->move(beside.topLeft());
    request.openIn(window->page());
    window->show();
    return window;
}
