#pragma once

// Placing controls the way the forms are laid out: in twips, 15 to a pixel
// at 96 dots per inch (Qt's high-dpi scaling does the rest).

#include <QLabel>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

namespace tarvilo {

inline QRect Twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

inline QSize TwipsSize(int width, int height)
{
    return QSize(width / 15, height / 15);
}

// Names a new control and puts it in its place.
template <typename Widget>
Widget *Place(Widget *widget, const char *name, const QRect &geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

// A plain static text: left and top aligned, wrapping onto further lines.
inline QLabel *MakeLabel(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    auto *label = Place(new QLabel(caption, parent), name, geometry);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// Qt stacks later siblings on top; on the forms the earlier-created control
// lies in front, so the control created last ends up behind everything.
inline void StackEarlierInFront(const std::vector<QWidget *> &creationOrder)
{
    for (auto it = creationOrder.rbegin(); it != creationOrder.rend(); ++it)
        (*it)->raise();
}

} // namespace tarvilo
