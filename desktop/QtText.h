// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <QAccessible>
#include <QString>
#include <QStringList>

#include <string_view>

// The program's texts, kept as UTF-16 in the standard library, as Qt strings, and a text
// said at once to screen readers.
inline QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

template<typename Texts> QStringList toQStringList(const Texts &texts)
{
    QStringList list;
    for (std::u16string_view text : texts)
        list.append(toQString(text));
    return list;
}

// Says the object's text at once to screen readers, as an alert.
inline void sayAtOnce(QObject *object)
{
    QAccessibleEvent said(object, QAccessible::Alert);
    QAccessible::updateAccessibility(&said);
}
