#include "widgets/UHelpViewer.h"

#include "core/UTextFile.h"
#include "widgets/UMessages.h"

#include <QPointer>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace zandor {

THelpViewer::THelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Zandor Library Help"));
    resize(640, 560);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(false);
    layout->addWidget(m_browser);
}

bool THelpViewer::load(const QString& helpFile, QString* error) {
    if (helpFile == m_loadedFile && !m_html.isEmpty())
        return true;
    // Read as every data file is: a FIFO or device named as the help file is refused
    // instead of waited for, and the reason is said.
    std::string bytes, reason = "no file name";
    if (helpFile.isEmpty() || !ReadWholeFile(helpFile.toStdString(), bytes, &reason)) {
        if (error)
            *error = QStringLiteral("Cannot open the help file \"%1\": %2.")
                         .arg(helpFile, QString::fromStdString(reason));
        return false;
    }
    m_html = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    m_loadedFile = helpFile;
    m_browser->setHtml(m_html);
    return true;
}

bool THelpViewer::ShowContents(const QString& helpFile, QString* error) {
    if (!load(helpFile, error))
        return false;
    m_topic.clear();
    m_browser->scrollToAnchor(QStringLiteral("contents"));
    show();
    raise();
    return true;
}

bool THelpViewer::ShowTopic(const QString& helpFile, const QString& topic, QString* error) {
    if (!load(helpFile, error))
        return false;
    const QRegularExpression anchor(
        QStringLiteral("<a\\s+(name|id)=\"%1\"").arg(QRegularExpression::escape(topic)),
        QRegularExpression::CaseInsensitiveOption);
    if (!anchor.match(m_html).hasMatch()) {
        if (error)
            *error = QStringLiteral("The help file has no topic \"%1\".").arg(topic);
        return false;
    }
    m_topic = topic;
    show();
    raise();
    m_browser->scrollToAnchor(topic);
    return true;
}

THelpViewer& HelpViewer() {
    static QPointer<THelpViewer> viewer;
    if (!viewer)
        viewer = new THelpViewer;
    return *viewer;
}

void OpenHelpContents(QWidget* parent, const QString& helpFile) {
    QString error;
    if (!HelpViewer().ShowContents(helpFile, &error))
        ShowError(parent, error);
}

void OpenHelpTopic(QWidget* parent, const QString& helpFile, const QString& topic) {
    QString error;
    if (!HelpViewer().ShowTopic(helpFile, topic, &error))
        ShowError(parent, error);
}

} // namespace zandor
