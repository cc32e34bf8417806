// The grid of the pile viewer: three columns of card names, drawn by the play table,
// scrolling with the wheel and a thin bar when the pile is taller than the play area.
#pragma once

#include <QAbstractScrollArea>

#include <functional>

namespace zandor {

class TPileGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int ColumnCount = 3;
    static constexpr int ColumnWidth = 110;
    static constexpr int RowHeight = 16;

    explicit TPileGrid(QWidget* parent = nullptr);

    // Draws one cell: painter, cell rectangle, row, column, whether it is the selected one.
    std::function<void(QPainter&, const QRect&, int, int, bool)> DrawCell;

    int RowCount() const { return m_rows; }
    void SetRowCount(int rows);
    int Row() const { return m_row; }
    int Col() const { return m_col; }
    // Selects a cell and reports it; the view scrolls to it.
    void SetCurrent(int row, int column);
    // The cell rectangle in viewport coordinates, scrolling included.
    QRect CellRect(int row, int column) const;
    // The cell under a viewport point: false when there is none.
    bool CellAt(const QPoint& pos, int& row, int& column) const;

signals:
    void CellSelected(int row, int column);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateScrollBar();

    int m_rows = 1;
    int m_row = 0;
    int m_col = 0;
};

} // namespace zandor
