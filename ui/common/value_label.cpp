#include "ui/common/value_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QLabel>
#include <QVariant>

namespace tarvilo {
namespace {

constexpr const char *kTitleProperty = "tarviloValueTitle";
constexpr const char *kNoteProperty = "tarviloValueNote";

// A value as it is said: ",9991" with its zero, "0,9991".
QString Spoken(QString text)
{
    const int at = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (text.size() > at + 1 && !text[at].isDigit() && text[at + 1].isDigit())
        text.insert(at, QLatin1Char('0'));
    return text;
}

// The label's own interface, read afresh at every question, so that it
// always tells the value shown.
class ValueLabelInterface : public QAccessibleWidget
{
public:
    explicit ValueLabelInterface(QLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) { }

    QString text(QAccessible::Text kind) const override
    {
        const auto *label = static_cast<const QLabel *>(widget());
        switch (kind) {
        case QAccessible::Name: {
            QString name = label->property(kTitleProperty).toString();
            if (!label->text().isEmpty())
                name += QStringLiteral(": ") + Spoken(label->text());
            const QString note = label->property(kNoteProperty).toString();
            if (!note.isEmpty())
                name += QStringLiteral(", ") + note;
            return name;
        }
        case QAccessible::Value:
            return label->text();
        default:
            return QAccessibleWidget::text(kind);
        }
    }
};

QAccessibleInterface *ValueLabelFactory(const QString &, QObject *object)
{
    auto *label = qobject_cast<QLabel *>(object);
    if (!label || !label->property(kTitleProperty).isValid())
        return nullptr;
    return new ValueLabelInterface(label);
}

void Announce(QLabel *label)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

// Turns selection on over a label once the pointer reaches it, or a press
// comes first (a touch); the press then gives the focus, as Qt does to a
// label that selects on a click.
class SelectionOnArrival : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool pressed = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
        if (!pressed && event->type() != QEvent::Enter)
            return false;
        auto *label = static_cast<QLabel *>(watched);
        label->removeEventFilter(this);
        deleteLater();
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (pressed)
            label->setFocus(Qt::MouseFocusReason);
        return false;
    }
};

} // namespace

void MakeSelectableByMouse(QLabel *label)
{
    label->installEventFilter(new SelectionOnArrival(label));
}

void MakeValueLabel(QLabel *label, const QString &title)
{
    static const bool installed = [] {
        QAccessible::installFactory(ValueLabelFactory);
        return true;
    }();
    static_cast<void>(installed);
    label->setProperty(kTitleProperty, title);
}

void SetValueNote(QLabel *label, const QString &note)
{
    if (label->property(kNoteProperty).toString() == note)
        return;
    label->setProperty(kNoteProperty, note);
    Announce(label);
}

void TellValueChanged(QLabel *label)
{
    Announce(label);
}

} // namespace tarvilo
