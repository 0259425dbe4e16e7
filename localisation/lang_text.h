#pragma once
#include <QString>

// Small text functions that every rule of the language files is built from.
namespace localisation {

// The text after the first occurrence of key (case-sensitive) up to the next ";".
// Empty when the key is absent or nothing closes it.
QString KeyValue(const QString& value, const QString& key);

// The text between the first and the last double quote; inner quotes stay. Empty with
// fewer than two quotes.
QString QuotedText(const QString& value);

// A two-letter language code from any text ("EN", "en-GB", "ru - Russian" give "en",
// "en", "ru"); empty when the first two characters are not letters or are "xx".
QString NormalizeLangCode(const QString& text);

} // namespace localisation
