#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

namespace tarvilo::testing {

// Answers every modal message box that opens while it lives, so that no
// test hangs on one, and records what each box said. A test declares the
// boxes it expects with expect(); any box beyond those fails the running
// test. Arm it before creating a window: the window's start-up already runs
// a calculation.
class ModalWatchdog : public QObject
{
    Q_OBJECT

public:
    struct Seen
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        int buttonCount;
    };

    explicit ModalWatchdog(QObject *parent = nullptr);

    // The next count boxes are expected.
    void expect(int count = 1) { m_expected += count; }
    // Every box expected has come.
    bool sawAllExpected() const { return static_cast<int>(m_seen.size()) >= m_expected; }
    const std::vector<Seen> &seen() const { return m_seen; }
    // Forgets the boxes seen and those expected.
    void clear();

    // Called while a box is open, before it is answered: lets a test look at
    // the window in that moment.
    std::function<void(const Seen &)> onOpen;
    // The button to press in each box, by its text without "&" ("No
    // guardar"); empty: the box is closed as its OK button does.
    QString press;
    // The file a file dialog that opens is given, as if typed, and accepted
    // with; an empty text cancels the dialog. Unset, a file dialog is left
    // to the test.
    std::optional<QString> fileToChoose;

private:
    void poll();

    QTimer m_timer;
    std::vector<Seen> m_seen;
    int m_expected = 0;
};

} // namespace tarvilo::testing
