// The letters window "Letters": the letter marks of a diagram, one point for each letter A to Z.
// The diagram window opens it modally and takes the marks when it closes with OK.
#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QPushButton;
class QTableWidget;

class TLetterMarksDialog final : public QDialog {
    Q_OBJECT
public:
    TLetterMarksDialog();

    // Opens the window, modal, on the marks of the diagram of a game with those moves; returns at
    // once. Closing with OK announces Accepted with the new marks.
    void Edit(const std::string& letterMarks, const std::string& moves);
    // The marks in the grid as letter + PointCode entries in letter order.
    std::string GridMarks() const;

    void FormShow();
    // Asks for the point of the selected row.
    void EnterPoint();
    void AcceptMarks();
    void Cancel();

signals:
    void MarksAccepted(const std::string& letterMarks);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void LayOut();
    void Connect();

    std::string LetterMarks_;
    std::string Moves_;
    QLabel* hintLabel;
    QTableWidget* marksGrid;
    QPushButton* okButton;
    QPushButton* cancelButton;
};
