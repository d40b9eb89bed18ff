#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace tarvilo::testing {

// The access keys ("&Buscar": B) of a window's captions, buttons and
// frames that name more than one control, as "O: &Objetivo:, Val&or:".
inline QStringList RepeatedAccessKeys(const QWidget &window)
{
    QMap<QChar, QStringList> owners;
    const auto take = [&owners](const QString &text) {
        for (qsizetype i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != QLatin1Char('&'))
                continue;
            if (text[i + 1] != QLatin1Char('&')) {
                owners[text[i + 1].toUpper()] << text;
                return;
            }
            ++i; // "&&" is an ampersand
        }
    };
    for (const QLabel *label : window.findChildren<QLabel *>()) {
        if (label->buddy())
            take(label->text());
    }
    for (const QAbstractButton *button : window.findChildren<QAbstractButton *>())
        take(button->text());
    for (const QGroupBox *frame : window.findChildren<QGroupBox *>())
        take(frame->title());
    QStringList repeated;
    for (auto owner = owners.cbegin(); owner != owners.cend(); ++owner) {
        if (owner.value().size() > 1)
            repeated << QString(owner.key()) + QStringLiteral(": ") + owner.value().join(QStringLiteral(", "));
    }
    return repeated;
}

} // namespace tarvilo::testing
