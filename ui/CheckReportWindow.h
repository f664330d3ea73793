// The report of "Check Games": one line a finding, as the tool prints it (game, year and board,
// move, finding, separated by tabs), then the summary; read-only text to select and copy.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

class TCheckReportWindow final : public QWidget {
    Q_OBJECT
public:
    TCheckReportWindow();

    // Shows the findings' lines and the summary below them, and raises the window.
    void ShowReport(const QStringList& findings, const QString& summary);
    // The whole text of the report.
    QString Text() const;
    // Puts the whole text on the clipboard.
    void CopyReport() const;

private:
    QPlainTextEdit* reportText;
    QPushButton* copyButton;
    QPushButton* closeButton;
};
