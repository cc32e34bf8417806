#include "widgets/UKeywordMemo.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

using namespace zandor;

namespace {

struct KeywordMemo : ::testing::Test {
    TKeywordMemo* memo = nullptr;
    void SetUp() override {
        memo = new TKeywordMemo;
        memo->resize(550, 133);
        memo->SetLines({"Info: R, Instant", "", "Errata:  Deals 3 damage.", "",
                        "Rulings:", "It can target itself? No  see<Rule 212.3b.>", "",
                        "Note: the end.", "A<b>c<d"});
        memo->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(memo));
    }
    void TearDown() override { delete memo; }

    QTextBlock block(int n) const { return memo->document()->findBlockByNumber(n); }
    // The middle of character index of line n, in viewport coordinates.
    QPoint charCenter(int n, int index) const {
        QTextCursor cursor(memo->document());
        cursor.setPosition(block(n).position() + index);
        const QRect left = memo->cursorRect(cursor);
        cursor.setPosition(block(n).position() + index + 1);
        const QRect right = memo->cursorRect(cursor);
        return QPoint((left.x() + right.x()) / 2, left.center().y());
    }
    QTextCharFormat formatAt(int n, int index) const {
        for (const QTextLayout::FormatRange& range : block(n).layout()->formats())
            if (index >= range.start && index < range.start + range.length)
                return range.format;
        return {};
    }
};

} // namespace

TEST_F(KeywordMemo, IsReadOnlyAndScrolls) {
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->document()->blockCount(), 9);
    QTest::keyClicks(memo, "typed");
    EXPECT_EQ(block(0).text(), QStringLiteral("Info: R, Instant"));
}

TEST_F(KeywordMemo, KeywordsAreBoldInTheirColours) {
    const struct {
        int line;
        int from;
        int length;
        QColor color;
    } keywords[] = {
        {2, 0, 7, QColor(55, 55, 255)},
        {4, 0, 8, QColor(0, 0, 128)},
        {7, 0, 5, QColor(0, 0, 128)}, // "Note:" with its colon
    };
    for (const auto& k : keywords)
        for (int i = k.from; i < k.from + k.length; ++i) {
            const QTextCharFormat format = formatAt(k.line, i);
            EXPECT_EQ(format.fontWeight(), QFont::Bold) << k.line << ":" << i;
            EXPECT_EQ(format.foreground().color(), k.color) << k.line << ":" << i;
        }
    EXPECT_NE(formatAt(2, 7).fontWeight(), QFont::Bold);
    EXPECT_NE(formatAt(0, 0).fontWeight(), QFont::Bold); // "Info:" is no keyword
    EXPECT_TRUE(formatAt(5, 30).fontUnderline());
    EXPECT_FALSE(formatAt(5, 10).fontUnderline());
}

TEST_F(KeywordMemo, ClicksOnHotSpotsReportTheirText) {
    QSignalSpy hot(memo, &TKeywordMemo::HotSpotClicked);
    QSignalSpy pressed(memo, &TKeywordMemo::MousePressed);
    const QString line = block(5).text();
    const int open = static_cast<int>(line.indexOf('<'));
    for (int index : {open, open + 5, static_cast<int>(line.size()) - 1}) {
        QTest::mouseClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, charCenter(5, index));
        ASSERT_EQ(hot.count(), 1) << index;
        EXPECT_EQ(hot.takeFirst().at(0).toString(), QStringLiteral("Rule 212.3b."));
    }
    EXPECT_EQ(pressed.count(), 3);

    // Plain text, the space past the end of a line, the right button and an unclosed
    // bracket are no hot spots, but every press is reported.
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, charCenter(5, 3));
    const QPoint pastEnd(memo->viewport()->width() - 5, charCenter(5, 0).y());
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, pastEnd);
    QTest::mouseClick(memo->viewport(), Qt::RightButton, Qt::NoModifier, charCenter(5, open + 2));
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, charCenter(8, 6));
    EXPECT_EQ(hot.count(), 0);
    EXPECT_EQ(pressed.count(), 7);
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, charCenter(8, 2));
    ASSERT_EQ(hot.count(), 1);
    EXPECT_EQ(hot.takeFirst().at(0).toString(), QStringLiteral("b"));
}

TEST_F(KeywordMemo, ShowsEightBitTextAsWestern) {
    memo->SetLines({"\xC6rnwood Gale"});
    EXPECT_EQ(block(0).text(), QString::fromUtf8("\xC3\x86rnwood Gale"));
    memo->SetLines({});
    EXPECT_TRUE(memo->document()->toPlainText().isEmpty());
}
