// The listing window "Listing Parties": the selected games, to open, reorder and thin out.
#pragma once

#include <QWidget>

class QListView;
class QPushButton;
class QShortcut;
class QToolButton;
class TListingModel;
class TSession;

class TListingWindow final : public QWidget {
    Q_OBJECT
public:
    explicit TListingWindow(TSession& session);
    ~TListingWindow() override;

    // Whether the window has lines of games to show: it is never opened empty.
    bool HasLines() const;

    // The game of the selected line goes on the board for editing.
    void OpenGame();
    // The four moves of the selected line; the Listing changes with the lines at once (the session's
    // MoveListed), and the navigator follows.
    void RaiseUp();
    void LowerDown();
    void RaiseOnFirst();
    void LowerOnLast();
    // OK: the Listing keeps the checked games in line order; the window closes.
    void KeepCheckedGames();
    // Cancel: the window closes.
    void Cancel();

protected:
    // Shown, the lines follow the Listing, the first one selected; hidden, there are none.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void LayOut();
    void Connect();
    int SelectedLine() const;
    // Scrolls the line into view, again after the list's layout has reached it.
    void ShowLine(int line, int attempt);
    void MoveSelected(int to);

    TSession& Session_;
    TListingModel* Model_;
    QListView* clbPartys;
    QToolButton* checkAllButton;
    QToolButton* firstLineButton;
    QToolButton* upButton;
    QToolButton* downButton;
    QToolButton* lastLineButton;
    QToolButton* cancelAllButton;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QShortcut* closeShortcut;
    bool CheckClicked_ = false;  // the click under way checked or unchecked a line
};
