#include "stats/UDeckStat.h"

#include "core/UApplication.h"
#include "render/UFonts.h"
#include "stats/UStatPictures.h"
#include "widgets/ULayeredPicture.h"
#include "widgets/UMessages.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>

namespace zandor {

namespace {

enum TColumn { colName, colEdition, colConvCost, colCost, colCount, columnCount };

constexpr int fadeInterval = 55;

QLabel* titlePanel(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* panel = new QLabel(text, parent);
    panel->setGeometry(geometry);
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, parent->palette().color(QPalette::Dark));
    palette.setColor(QPalette::WindowText, Qt::white);
    panel->setPalette(palette);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    font.setBold(true);
    panel->setFont(font);
    return panel;
}

QLabel* label(QWidget* parent, const QString& text, int x, int y, int width) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, width, 14);
    return l;
}

QString figure(std::int64_t value) {
    return QString::number(value);
}

QString cards(std::int64_t value) {
    return figure(value) + QStringLiteral(" cards");
}

TLayeredPicture* chart(QWidget* parent, const QRect& geometry) {
    auto* picture = new TLayeredPicture(parent);
    picture->setGeometry(geometry);
    picture->SetBackground(ChartBackground);
    picture->FillLayer(0, ChartBackground);
    picture->FillLayer(1, ChartBackground);
    return picture;
}

bool isCostLetter(QChar c) {
    return c == u'W' || c == u'U' || c == u'R' || c == u'B' || c == u'G';
}

} // namespace

// The editor of the cost and count cells: it reports every change of its text and passes its
// keys through the window's key filter.
class TStatGridDelegate : public QStyledItemDelegate {
public:
    explicit TStatGridDelegate(TfmStat* form) : QStyledItemDelegate(form), m_form(form) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        // Pasting and dropping text would get round the key filter.
        editor->setContextMenuPolicy(Qt::NoContextMenu);
        editor->setAcceptDrops(false);
        m_form->editorOpened(editor, index.column(), index.row());
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        // The cell's text follows every keystroke of its editor; writing the same text back
        // would move the text cursor to the end in the middle of a correction.
        auto* line = static_cast<QLineEdit*>(editor);
        const QString text = index.data(Qt::EditRole).toString();
        if (line->text() == text)
            return;
        const QSignalBlocker blocker(editor);
        line->setText(text);
    }

private:
    TfmStat* m_form;
};

TfmStat::TfmStat(const TCardDatabase& db, QWidget* parent) : QDialog(parent), m_db(db) {
    // FormCreate: the pictures, the table headers and the model.
    RegisterCardFonts();
    m_stats = std::make_unique<TStatCards>();
    setWindowTitle(QStringLiteral("Статистика"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPointSize(8);
    setFont(windowFont);
    setFixedSize(686, 401);

    titlePanel(this, QStringLiteral("Колода"), QRect(16, 6, 385, 15));
    sgDeck = new QTableWidget(0, columnCount, this);
    sgDeck->setObjectName(QStringLiteral("sgDeck"));
    sgDeck->setGeometry(16, 32, 385, 257);
    sgDeck->setHorizontalHeaderLabels({QStringLiteral("Имя"), QStringLiteral("Ред."),
                                       QStringLiteral("Mana"), QStringLiteral("Cost"),
                                       QStringLiteral("Кол-во")});
    const int widths[columnCount] = {178, 32, 44, 63, 39};
    sgDeck->horizontalHeader()->setMinimumSectionSize(1);
    for (int c = 0; c < columnCount; ++c)
        sgDeck->setColumnWidth(c, widths[c]);
    sgDeck->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgDeck->horizontalHeader()->setFixedHeight(18);
    sgDeck->horizontalHeader()->setHighlightSections(false);
    sgDeck->verticalHeader()->hide();
    sgDeck->verticalHeader()->setMinimumSectionSize(1);
    sgDeck->verticalHeader()->setDefaultSectionSize(18);
    sgDeck->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgDeck->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgDeck->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    sgDeck->setSelectionMode(QAbstractItemView::SingleSelection);
    sgDeck->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                            QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    sgDeck->setItemDelegate(new TStatGridDelegate(this));
    sgDeck->installEventFilter(this);

    titlePanel(this, QStringLiteral("Кривая маны"), QRect(424, 6, 249, 15));
    plManaCurv = chart(this, QRect(424, 24, 249, 265));
    plManaCurv->setObjectName(QStringLiteral("plManaCurv"));
    connect(plManaCurv, &TLayeredPicture::MouseDown, this, &TfmStat::plManaCurvMouseDown);
    connect(plManaCurv, &TLayeredPicture::MouseMove, this, &TfmStat::plManaCurvMouseMove);

    auto* types = new QGroupBox(QStringLiteral("Типы"), this);
    types->setGeometry(8, 304, 150, 89);
    const QString typeCaptions[] = {QStringLiteral("Land:"), QStringLiteral("Creature:"),
                                    QStringLiteral("Spells:")};
    QLabel** counts[] = {&lbLand, &lbCreature, &lbSpell};
    QLabel** shares[] = {&lbLandP, &lbCreatureP, &lbSpellP};
    for (int i = 0; i < 3; ++i) {
        label(types, typeCaptions[i], 8, 18 + 16 * i, 50);
        *counts[i] = label(types, QStringLiteral("0 cards"), 58, 18 + 16 * i, 50);
        *shares[i] = label(types, QStringLiteral("0%"), 106, 18 + 16 * i, 42);
    }
    label(types, QStringLiteral("Deck:"), 8, 68, 50);
    lbDeck = label(types, QStringLiteral("0 cards"), 58, 68, 60);

    auto* rarities = new QGroupBox(QStringLiteral("Редкость"), this);
    rarities->setGeometry(165, 304, 124, 89);
    const QString rarityCaptions[] = {QStringLiteral("Rares"), QStringLiteral("Uncommons"),
                                      QStringLiteral("Commons")};
    QLabel** rarityCounts[] = {&lbR, &lbU, &lbC};
    for (int i = 0; i < 3; ++i) {
        label(rarities, rarityCaptions[i], 8, 18 + 16 * i, 66);
        *rarityCounts[i] = label(rarities, QStringLiteral("0"), 78, 18 + 16 * i, 42);
    }
    label(rarities, QStringLiteral("Cards Value:"), 8, 68, 62);
    lbCur = label(rarities, QStringLiteral("0 $"), 70, 68, 52);

    auto* average = new QGroupBox(QStringLiteral("Средняя стоимость"), this);
    average->setGeometry(296, 304, 193, 89);
    plAvgCost = chart(average, QRect(8, 18, 177, 65));
    plAvgCost->setObjectName(QStringLiteral("plAvgCost"));

    auto* local = new QGroupBox(this);
    local->setGeometry(496, 304, 185, 89);
    plLoc = titlePanel(local, QStringLiteral("Локальная стоимость"), QRect(8, 2, 169, 15));
    plLoc->setObjectName(QStringLiteral("plLoc"));
    plManaColorCurv = chart(local, QRect(8, 20, 169, 65));
    plManaColorCurv->setObjectName(QStringLiteral("plManaColorCurv"));

    QTimer** timers[] = {&tViewCurv, &tCurv, &tColorCurv};
    for (QTimer** timer : timers) {
        *timer = new QTimer(this);
        (*timer)->setInterval(fadeInterval);
    }
    connect(tViewCurv, &QTimer::timeout, this, &TfmStat::tViewCurvTimer);
    connect(tCurv, &QTimer::timeout, this, &TfmStat::tCurvTimer);
    connect(tColorCurv, &QTimer::timeout, this, &TfmStat::tColorCurvTimer);
    buildOddsPanel();
}

TfmStat::~TfmStat() = default;

bool TfmStat::LoadDeck(const std::vector<std::string>& deckLines) {
    // Editing stops first, so that a cell being edited does not write into the new table.
    if (m_editor && !m_editor->isHidden())
        emit sgDeck->itemDelegate()->closeEditor(m_editor, QAbstractItemDelegate::NoHint);
    sgDeck->setCurrentItem(nullptr);
    const TStatResult built = m_stats->Build(deckLines, m_db.NameIndex, m_db.CardLines);
    if (!built.Ok) {
        ShowError(this, ToDisplay(built.Error));
        return false;
    }
    sgDeck->setRowCount(static_cast<int>(m_stats->Cards.size()));
    FillGrid();
    RedrawAll();
    if (!m_stats->Missing.empty())
        ShowError(this, ToDisplay(MissingCardsMessage(m_stats->Missing)));
    return true;
}

bool TfmStat::ShowDeck(const std::vector<std::string>& deckLines) {
    if (!LoadDeck(deckLines))
        return false;
    exec();
    return true;
}

void TfmStat::FillGrid() {
    const QBrush fixed = palette().button();
    for (int row = 0; row < sgDeck->rowCount(); ++row) {
        const TZandorStatCard& card = m_stats->Cards[static_cast<std::size_t>(row)];
        const QString texts[columnCount] = {ToDisplay(card.Name), ToDisplay(card.Edition),
                                            ToDisplay(card.ConvCost), ToDisplay(card.Cost),
                                            figure(card.Count)};
        for (int column = 0; column < columnCount; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (column < colCost) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(fixed);
            }
            sgDeck->setItem(row, column, item);
        }
    }
}

// Shows the model's cost and count of a row again, after an edit the model refused.
void TfmStat::showRow(int row) {
    const TZandorStatCard& card = m_stats->Cards[static_cast<std::size_t>(row)];
    sgDeck->item(row, colConvCost)->setText(ToDisplay(card.ConvCost));
    sgDeck->item(row, colCost)->setText(ToDisplay(card.Cost));
    sgDeck->item(row, colCount)->setText(figure(card.Count));
    if (m_editor && m_editorRow == row) {
        const QSignalBlocker blocker(m_editor.data());
        m_editor->setText(sgDeck->item(row, m_editorColumn)->text());
    }
}

void TfmStat::RedrawAll() {
    const char point = LocaleDecimalSeparator();
    QImage picture(plManaCurv->size(), QImage::Format_RGB32);
    DrawManaCurve(picture, *m_stats);
    plManaCurv->SetLayer(0, picture);
    m_curve = picture;

    picture = QImage(plAvgCost->size(), QImage::Format_RGB32);
    DrawAverageCost(picture, *m_stats, point);
    plAvgCost->SetLayer(0, picture);

    const TRarityCounts rarities = m_stats->RarityCounts();
    lbC->setText(figure(rarities.Commons));
    lbU->setText(figure(rarities.Uncommons));
    lbR->setText(figure(rarities.Rares));

    const TTypeCounts types = m_stats->TypeCounts();
    const std::int64_t total = types.Total();
    const std::pair<QLabel*, QLabel*> labels[] = {
        {lbLand, lbLandP}, {lbCreature, lbCreatureP}, {lbSpell, lbSpellP}};
    const std::int64_t counts[] = {types.Lands, types.Creatures, types.Spells};
    for (int i = 0; i < 3; ++i) {
        labels[i].first->setText(cards(counts[i]));
        labels[i].second->setText(QString::fromStdString(SharePercent(counts[i], total, point)) +
                                  QStringLiteral("%"));
    }
    lbDeck->setText(cards(total));
    lbCur->setText(QString::fromStdString(FormatCurrency(m_stats->DeckValue(point), point)) +
                   QStringLiteral(" $"));
    tViewCurv->start();
    // The split of the chosen bucket follows the edits and the deck shown, so that it never
    // shows the figures of a deck that has gone.
    if (m_localBucket != 0)
        drawLocalCost();
    refreshOdds();
}

bool TfmStat::sgDeckKeyPress(int column, QChar& key) const {
    if (key == u'\b')
        return true;
    if (key.isDigit() && key.unicode() < 128)
        return true;
    if (column != colCost)
        return false;
    if (isCostLetter(key))
        return true;
    if (isCostLetter(key.toUpper())) {
        key = key.toUpper();
        return true;
    }
    return false;
}

void TfmStat::sgDeckSetEditText(int column, int row, const QString& text) {
    if (row < 0 || row >= sgDeck->rowCount() || column < colCost)
        return;
    sgDeck->item(row, column)->setText(text);
    const QString cost = sgDeck->item(row, colCost)->text();
    const QString count = sgDeck->item(row, colCount)->text();
    std::string costBytes;
    if (!FromDisplay(cost, costBytes))
        costBytes.clear();
    if (column == colCost)
        sgDeck->item(row, colConvCost)
            ->setText(QString::fromStdString(TStatCards::ConvertedCost(costBytes)));
    if (!count.isEmpty()) {
        const TStatResult updated =
            m_stats->UpdateRow(static_cast<std::size_t>(row), costBytes, count.toStdString());
        if (!updated.Ok) {
            ShowError(this, QString::fromStdString(updated.Error));
            showRow(row);
            return;
        }
    }
    RedrawAll();
}

void TfmStat::tViewCurvTimer() {
    if (!plManaCurv->FadeStep()) {
        tViewCurv->stop();
        tCurv->start(); // the average fades once the curve has
    }
}

void TfmStat::tCurvTimer() {
    if (!plAvgCost->FadeStep())
        tCurv->stop();
}

void TfmStat::tColorCurvTimer() {
    if (!plManaColorCurv->FadeStep())
        tColorCurv->stop();
}

void TfmStat::plManaCurvMouseMove(const QPoint& position) {
    const bool overBar = m_curve.valid(position) && IsBarPixel(m_curve.pixel(position));
    plManaCurv->setCursor(overBar ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TfmStat::plManaCurvMouseDown(Qt::MouseButton button, const QPoint& position) {
    if (button != Qt::LeftButton || !m_curve.valid(position) ||
        !IsBarPixel(m_curve.pixel(position)))
        return;
    m_localBucket = BarBucket(m_curve.height(), position.y());
    plLoc->setText(QStringLiteral("Локальная стоимость - %1").arg(m_localBucket));
    drawLocalCost();
}

void TfmStat::drawLocalCost() {
    QImage picture(plManaColorCurv->size(), QImage::Format_RGB32);
    DrawLocalCost(picture, *m_stats, m_localBucket, LocaleDecimalSeparator());
    plManaColorCurv->SetLayer(0, picture);
    tColorCurv->start();
}

void TfmStat::editorOpened(QLineEdit* editor, int column, int row) {
    m_editor = editor;
    m_editorColumn = column;
    m_editorRow = row;
    editor->installEventFilter(this);
    connect(editor, &QLineEdit::textChanged, this,
            [this, column, row](const QString& text) { sgDeckSetEditText(column, row, text); });
}

bool TfmStat::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (watched == m_editor && keyEvent->matches(QKeySequence::Paste))
        return true;
    const QString text = keyEvent->text();
    // Keys without a character, and the ones that end or leave an edit, are the table's.
    if (text.isEmpty() || text == u"\r" || text == u"\n" || text == u"\x1b" || text == u"\t" ||
        keyEvent->key() == Qt::Key_Delete)
        return QDialog::eventFilter(watched, event);
    int column = -1;
    if (watched == sgDeck)
        column = sgDeck->currentColumn();
    else if (watched == m_editor)
        column = m_editorColumn;
    else
        return QDialog::eventFilter(watched, event);
    QChar key = text.front();
    if (text.size() != 1 || !sgDeckKeyPress(column, key))
        return true;
    if (key == text.front())
        return false;
    // A changed key goes on as the key it became.
    QKeyEvent changed(QEvent::KeyPress, keyEvent->key(), keyEvent->modifiers(), QString(key));
    QCoreApplication::sendEvent(watched, &changed);
    return true;
}

void TfmStat::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && HasShell()) {
        Shell().OpenHelp(this);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmStat::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

} // namespace zandor
