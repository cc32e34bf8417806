// The keyword memo of the card information panel: a read-only, scrolling text box that
// draws the keywords "Errata:", "Text:", "Rulings:" and "Note" bold in their colours, treats
// text between "<" and ">" as a hot spot, and reports hot-spot clicks and mouse presses.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <string>
#include <vector>

namespace zandor {

class TKeywordMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TKeywordMemo(QWidget* parent = nullptr);
    // Replaces the memo's lines by the 8-bit lines of the card information.
    void SetLines(const std::vector<std::string>& lines);
    // The text between the brackets of the hot spot under a point of the viewport, or a
    // null string when the point is on no hot spot.
    QString HotSpotAt(const QPoint& viewportPos) const;

signals:
    // A left click on a hot spot, with the text between its brackets.
    void HotSpotClicked(const QString& text);
    // Any mouse press in the memo.
    void MousePressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

} // namespace zandor
