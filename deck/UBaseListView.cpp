#include "deck/UBaseListView.h"

#include "core/UApplication.h"

namespace zandor {

TBaseListModel::TBaseListModel(TBaseList& lines, QObject* parent)
    : QAbstractListModel(parent), m_lines(lines) {}

int TBaseListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

QVariant TBaseListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() ||
        static_cast<std::size_t>(index.row()) >= m_lines.size())
        return {};
    return ToDisplay(m_lines[static_cast<std::size_t>(index.row())]);
}

} // namespace zandor
