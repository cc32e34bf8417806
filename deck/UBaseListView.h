// The base list as a Qt list model over the deck editor's base lines, so that a list of
// 100,000 lines fills, scrolls and searches without making an item per line. It owns
// nothing: the lines belong to the editor's base list.
#pragma once

#include "deck/UBaseList.h"

#include <QAbstractListModel>

namespace zandor {

class TBaseListModel : public QAbstractListModel {
    Q_OBJECT
public:
    TBaseListModel(TBaseList& lines, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Runs a change of the lines with the views told before and after.
    template <class F> void Change(F change) {
        beginResetModel();
        change(m_lines);
        endResetModel();
    }
    const TBaseList& Lines() const { return m_lines; }

private:
    TBaseList& m_lines;
};

} // namespace zandor
