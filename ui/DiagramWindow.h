// The diagram window "Generation of truncated diagrams": a cut-down board of one game of the
// selection, previewed and written as a bitmap or a metafile into Out/, or copied to the clipboard.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "base/GameBase.h"
#include "diagram/Diagram.h"
#include "diagram/DiagramPictures.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QShortcut;
class QSpinBox;
class TDiagramGamesModel;
class TLetterMarksDialog;
class TSession;

class TDiagramWindow final : public QWidget {
    Q_OBJECT
public:
    explicit TDiagramWindow(TSession& session);
    // The letters window that "Letters" opens, made by the program when first wanted.
    void AttachLetters(std::function<TLetterMarksDialog&()> letters) { LettersWindow_ = std::move(letters); }
    // File > Graphics > "Truncated": shows the window, filled anew, in front.
    void Open();

    // The chosen game's position in PartyList while it is still the game that was chosen, else none.
    std::optional<long> DiagramParty() const;
    const std::string& LetterMarks() const { return LetterMarks_; }
    // The diagram the window shows now (with the chosen game, the check marks and the marks).
    TDiagram CurrentDiagram() const;

    // The games of the Listing into the list of games; no game is chosen afterwards.
    void FillGames();
    void FollowRenumbering(const std::vector<uint32_t>& newPosition);
    void ChooseGame(int line);
    void FullDiagramClick();
    void CaptionClick();
    // Redraws the preview and sizes the window after the picture.
    void DrawPreview();
    void SaveBitmap();
    void SaveMetafile();
    void CopyToClipboard();
    void EditLetters();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void LayOut();
    void Connect();
    // Writes the picture as Out/ + the typed name + extension and says so; says why when it cannot.
    void SavePicture(TPictureFormat format, const QString& extension);
    void SetOuterSize(int width, int height);

    TSession& Session_;
    std::function<TLetterMarksDialog&()> LettersWindow_;
    long Party_ = kalvon::NoParty;
    kalvon::TPartyRecord Chosen_;  // what the chosen game held, to know it again
    std::string LetterMarks_;

    int PanelWidth_ = 0;  // the width of the panel of controls, the window's least width

    QWidget* panel;
    QLabel* fileNameCaption;
    QLabel* withNumCaption;
    QLineEdit* fileNameEdit;
    QPushButton* bitmapButton;
    QPushButton* metafileButton;
    QPushButton* clipboardButton;
    QPushButton* lettersButton;
    QCheckBox* fullDiagramBox;
    QCheckBox* captionBox;
    QCheckBox* commentaryBox;
    QSpinBox* withNumBox;
    QComboBox* gamesBox;
    TDiagramGamesModel* Games_;  // the lines of gamesBox
    QLabel* gameLabel;
    QWidget* preview;
    QShortcut* closeShortcut;
};
