#include "widgets/UKeywordMemo.h"

#include "core/UCodePage.h"

#include <QMouseEvent>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <array>

namespace zandor {

namespace {

struct TKeyword {
    QString Text;
    QColor Color;
};

// Colours the keywords and underlines the hot spots of every line as it is laid out.
class TKeywordHighlighter final : public QSyntaxHighlighter {
public:
    explicit TKeywordHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

protected:
    void highlightBlock(const QString& text) override {
        static const std::array<TKeyword, 4> keywords{{
            {QStringLiteral("Errata:"), QColor(55, 55, 255)},
            {QStringLiteral("Text:"), QColor(0, 0, 128)},
            {QStringLiteral("Rulings:"), QColor(0, 0, 128)},
            {QStringLiteral("Note"), QColor(0, 0, 128)},
        }};
        for (const TKeyword& keyword : keywords) {
            QTextCharFormat format;
            format.setForeground(keyword.Color);
            format.setFontWeight(QFont::Bold);
            for (qsizetype at = text.indexOf(keyword.Text); at >= 0;
                 at = text.indexOf(keyword.Text, at + keyword.Text.size())) {
                qsizetype length = keyword.Text.size();
                // A note reads as "Note:": its colon, when it has one, goes with it.
                if (keyword.Text == QLatin1String("Note") && at + length < text.size() &&
                    text[at + length] == QLatin1Char(':'))
                    ++length;
                setFormat(static_cast<int>(at), static_cast<int>(length), format);
            }
        }
        QTextCharFormat hot;
        hot.setFontUnderline(true);
        hot.setForeground(QColor(128, 0, 0));
        for (qsizetype open = text.indexOf(QLatin1Char('<')); open >= 0;
             open = text.indexOf(QLatin1Char('<'), open + 1)) {
            const qsizetype close = text.indexOf(QLatin1Char('>'), open + 1);
            if (close < 0)
                break;
            setFormat(static_cast<int>(open), static_cast<int>(close - open + 1), hot);
            open = close;
        }
    }
};

} // namespace

TKeywordMemo::TKeywordMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    new TKeywordHighlighter(document());
}

void TKeywordMemo::SetLines(const std::vector<std::string>& lines) {
    QStringList text;
    text.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        text.push_back(QString::fromStdString(Cp1252ToUtf8(line)));
    setPlainText(text.join(QLatin1Char('\n')));
}

QString TKeywordMemo::HotSpotAt(const QPoint& viewportPos) const {
    const QTextCursor cursor = cursorForPosition(viewportPos);
    const QRect boundary = cursorRect(cursor);
    if (viewportPos.y() < boundary.top() || viewportPos.y() > boundary.bottom())
        return {};
    const QString text = cursor.block().text();
    // The cursor stands between two characters; the point is on the one at its side.
    qsizetype at = cursor.positionInBlock();
    if (viewportPos.x() < boundary.x())
        --at;
    if (at < 0 || at >= text.size())
        return {};
    const qsizetype open = text.lastIndexOf(QLatin1Char('<'), at);
    if (open < 0)
        return {};
    const qsizetype close = text.indexOf(QLatin1Char('>'), open + 1);
    if (close < at)
        return {};
    return text.mid(open + 1, close - open - 1);
}

void TKeywordMemo::mousePressEvent(QMouseEvent* event) {
    QPlainTextEdit::mousePressEvent(event);
    event->accept();
    emit MousePressed();
    if (event->button() != Qt::LeftButton)
        return;
    const QString hot = HotSpotAt(event->position().toPoint());
    if (!hot.isNull())
        emit HotSpotClicked(hot);
}

void TKeywordMemo::mouseMoveEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseMoveEvent(event);
    viewport()->setCursor(HotSpotAt(event->position().toPoint()).isNull() ? Qt::IBeamCursor
                                                                          : Qt::PointingHandCursor);
}

} // namespace zandor
