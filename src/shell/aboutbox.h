#pragma once

#include <QDialog>

class AddressHandler;
class QLabel;

// The about box `TFormAbout`: the program's title and version, the maker's
// lines and the contact address. Made once at start-up and shown modally;
// a click anywhere but on the address closes it.
class TFormAbout : public QDialog
{
    Q_OBJECT

public:
    static constexpr int OffsetRight = 50;
    static constexpr int OffsetDown = 90;

    // Caption and place are fixed here: `mainWindow`'s top-left corner as it
    // is now, moved 50 right and 90 down.
    TFormAbout(AddressHandler &addresses, const QWidget &mainWindow, QWidget *parent = nullptr);

    // The application's title, "   (", the version text, ")".
    static QString captionFor(const QString &title, const QString &versionText);

    QLabel *contactLabel() const { return m_label7; }

public slots:
    void FormClick();
    void Label7Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    AddressHandler &m_addresses;
    const QWidget &m_mainWindow;
    QLabel *m_label4 = nullptr;
    QLabel *m_label7 = nullptr;
};
