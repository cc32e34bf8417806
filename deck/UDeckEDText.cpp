// The deck editor's plain-text deck commands: "Import Text Deck...", "Paste Deck" and
// "Copy Deck as Text".
#include "deck/UDeckED.h"

#include "core/UApplication.h"
#include "core/UTextFile.h"
#include "deck/UTextDeck.h"
#include "deck/UTextDeckCommands.h"
#include "widgets/UMessages.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>

namespace zandor {

namespace {

// At most this many left-out lines are named in one message box.
constexpr std::size_t problemsShown = 20;

QString problemList(const std::vector<TTextDeckProblem>& problems) {
    QString text;
    for (std::size_t i = 0; i < problems.size() && i < problemsShown; ++i) {
        const TTextDeckProblem& p = problems[i];
        text += QStringLiteral("\n") +
                QString::fromStdString(TextDeckProblemText(p.LineNumber, p.Line, p.Reason));
    }
    if (problems.size() > problemsShown)
        text += QStringLiteral("\n... and %1 more.").arg(problems.size() - problemsShown);
    return text;
}

} // namespace

QString OpenTextDeckDialog(QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Import Text Deck..."), folder,
                                        QStringLiteral("Text deck list (*.txt);;All files (*)"));
}

void TfmDeckED::takeTextDeck(const std::vector<std::string>& text, const QString& deckName) {
    const TTextDeckImport imported = ImportTextDeck(text, m_db);
    bool anyCard = false;
    for (const std::string& line : imported.Lines)
        anyCard = anyCard || DeckLineKind(line) != TDeckLineKind::Comment;
    if (!anyCard) {
        // A text with no card in it must not cost the user the deck being edited.
        ShowError(this, QStringLiteral("No line of the text names a card of the base; the deck "
                                       "was not changed.") +
                            problemList(imported.Problems));
        return;
    }
    m_deck.SetLines(imported.Lines);
    edDName->setText(deckName);
    deckNameFromEdit();
    refreshDeck();
    CountDeck();
    if (!imported.AllPlaced())
        ShowError(this, QStringLiteral("%1 line(s) of the text match no card and were left out:")
                                .arg(imported.Problems.size()) +
                            problemList(imported.Problems));
}

void TfmDeckED::ImportTextDeck1Click() {
    const QString chosen = FileDialogs.OpenText(this, deckDir());
    if (chosen.isEmpty())
        return;
    const auto lines = ReadTextLines(chosen.toStdString());
    if (!lines) {
        ShowError(this, QStringLiteral("Cannot read the file ") + chosen + QStringLiteral("."));
        return;
    }
    takeTextDeck(*lines, QFileInfo(chosen).completeBaseName());
}

void TfmDeckED::PasteDeck1Click() {
    const QString text = QGuiApplication::clipboard()->text();
    if (text.trimmed().isEmpty()) {
        ShowError(this, QStringLiteral("The clipboard holds no deck list."));
        return;
    }
    std::vector<std::string> lines;
    SplitLines(text.toStdString(), lines);
    takeTextDeck(lines, QString());
}

void TfmDeckED::CopyDeckAsText1Click() {
    if (m_deck.Lines().empty())
        return;
    const TTextDeckExport exported = ExportTextDeck(m_deck.Lines());
    QString text;
    for (const std::string& line : exported.Lines)
        text += ToDisplay(line) + QStringLiteral("\n");
    QGuiApplication::clipboard()->setText(text);
    if (!exported.Unreadable.empty()) {
        QString left;
        for (const std::string& line : exported.Unreadable)
            left += QStringLiteral("\n") + ToDisplay(line);
        ShowError(this,
                  QStringLiteral("These deck lines were left out, their counts are not numbers:") +
                      left);
    }
}

} // namespace zandor
