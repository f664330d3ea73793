// The listing window "Listing Parties": the selected games, to open, reorder and thin out.
#pragma once

#include <QWidget>

class QListView;
class QPushButton;
class QToolButton;
class TListingModel;
class TSession;

class TListingWindow final : public QWidget {
    Q_OBJECT
public:
    explicit TListingWindow(TSession& session);
    ~TListingWindow() override;

    // Fills the window with the games of the Listing, all checked, the first line selected.
    void FillLines();
    // The same lines with the games' texts now (games changed in place).
    void RefillLines();
    // Whether the window has lines of games to show: it is never opened empty.
    bool HasLines() const;

    // The game of the selected line goes on the board for editing.
    void OpenGame();
    // The four moves of the selected line; the Listing changes with the lines at once.
    void RaiseUp();
    void LowerDown();
    void RaiseOnFirst();
    void LowerOnLast();
    // OK: the Listing keeps the checked games in line order; the window closes.
    void KeepCheckedGames();
    // Cancel: the window closes.
    void Cancel();

signals:
    // The lines were moved: the Listing holds the same games in another order.
    void ListingReordered();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int SelectedLine() const;
    void MoveSelected(int to);

    TSession& Session_;
    TListingModel* Model_;
    QListView* clbPartys;
    QPushButton* okButton;
    QPushButton* cancelButton;
    bool CheckClicked_ = false;  // the click under way checked or unchecked a line
};
