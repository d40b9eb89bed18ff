#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

class QLabel;
class QWidget;

namespace tarvilo {

// The look of the result values: those of the present calculation in the
// palette's text colour, those of the previous one in grey italics, halfway
// between the text and the background. Worked out from the palette of the
// frame they stand in, and again whenever that palette changes (a dark
// desktop theme chosen while the program runs), so that no value keeps the
// colours of the palette before.
class ResultLook : public QObject
{
public:
    explicit ResultLook(QWidget *frame);

    void show(QLabel *label, bool previous);
    // A value: so shown, and told to screen readers as "del cálculo
    // anterior" when it is the previous calculation's.
    void showValue(QLabel *value, bool previous);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void apply(QLabel *label, bool previous) const;

    QWidget *m_frame;
    struct Shown
    {
        QPointer<QLabel> label;
        bool previous = false;
    };
    std::vector<Shown> m_shown;
};

} // namespace tarvilo
