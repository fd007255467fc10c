#pragma once
// A navigation set kept in memory in the order of its records' keys.
#include <QList>
#include <QVariantList>
#include <functional>

namespace kavra::Navigation {

// The order of two keys, column by column; a shorter key that matches so far comes first.
bool keyLess(const QVariantList& a, const QVariantList& b);
// Where a record with this key goes among ids: a binary search that asks keyOf only the keys
// of the few records it passes. A throw from keyOf goes through.
int slot(const QList<qint64>& ids, const QVariantList& key, const std::function<QVariantList(qint64)>& keyOf);

}  // namespace kavra::Navigation
