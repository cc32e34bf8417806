// The help viewer: shows the program's help file (HTML with named topic anchors) at its
// contents or at a named topic, in one window shared by all windows.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace zandor {

class THelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit THelpViewer(QWidget* parent = nullptr);
    // False, with the reason, when the file cannot be read or has no such topic.
    bool ShowContents(const QString& helpFile, QString* error = nullptr);
    bool ShowTopic(const QString& helpFile, const QString& topic, QString* error = nullptr);
    QString CurrentTopic() const { return m_topic; }
    QTextBrowser* Browser() const { return m_browser; }

private:
    bool load(const QString& helpFile, QString* error);
    QTextBrowser* m_browser;
    QString m_loadedFile;
    QString m_html;
    QString m_topic;
};

// The one viewer of the program, made on first use.
THelpViewer& HelpViewer();
// Opens the contents, or tells the user in an error box why it cannot; the caller goes on.
void OpenHelpContents(QWidget* parent, const QString& helpFile);
void OpenHelpTopic(QWidget* parent, const QString& helpFile, const QString& topic);

} // namespace zandor
