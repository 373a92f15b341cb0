#pragma once
// The caption page: a line of text (or a picked BMP picture) rendered to a 1-bit picture, written
// next to the executable and sent to the processor in acknowledged chunks, with the caption's
// colours, scroll speed and direction, background mode and place on the outputs.
//
// Simple mode shows the caption input, its settings and the actions; advanced mode (button 1530)
// adds the local preview and the display area. The transfer's decisions live in CaptionTransfer;
// this page owns its timers and its controls. The font, colour and file dialogs are injectable,
// so that tests never wait on a modal dialog.

#include "pagekit/MBaseDialog.h"
#include "pages/system/CaptionTransfer.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>
#include <initializer_list>

class CDropButton;
class CGdipButton;
class CSxGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class oRealEdit;

// The common dialogs the page asks. Each returns false (or an empty path) when cancelled.
struct CaptionDialogs {
    std::function<bool(QWidget* parent, QFont& font, QColor textColour)> chooseFont;
    std::function<bool(QWidget* parent, QColor& colour)> chooseColour;
    std::function<QString(QWidget* parent)> chooseBitmapFile;
};
// The real modal dialogs.
CaptionDialogs DefaultCaptionDialogs();

// Waits of the page, in milliseconds.
struct CaptionTimings {
    int ackWait = caption::kAckWaitMs;  // for each chunk's acknowledgement
    int announcePause = 200;            // after the picture is announced, before its answer counts
    int acceptWait = 5000;              // for the processor to accept or refuse the picture
    int saveGuard = 15000;              // Save: the page comes back without an answer
    int initialiseWait = 15000;         // Initialise: the page comes back, with a message
};

class MSubTitleDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MSubTitleDlg(QWidget* parent);
    ~MSubTitleDlg() override;

    void OnInitDialog() override;
    void ApplyLanguage() override;
    void ShowPage(bool show) override;

    // Reply 25 for output n (0..3): the caption record's settings (advanced mode only).
    void LoadOutputCaption(int output);
    // Event 7: a chunk was acknowledged (ackOffset, ackStatus of the device state).
    void OnChunkAck();
    // Event 12: the processor accepted (or refused) the announced picture.
    void OnTransferAccepted(bool accepted);

    LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload) override;

    void SetDialogs(CaptionDialogs dialogs) { dialogs_ = std::move(dialogs); }
    void SetTimings(const CaptionTimings& timings) { timings_ = timings; }

    // For the tests and the main window's look.
    int CaptionNo() const { return captionNo_; }
    QString BitmapPath() const { return bitmapPath_; }
    bool UserBitmap() const { return userBitmap_; }
    bool TransferDisarmed() const { return transferDisarmed_; }
    bool IsAdvanced() const;
    bool IsTransferring() const { return transfer_.IsActive(); }
    const caption::CaptionTransfer& Transfer() const { return transfer_; }
    COLORREF ForeColour() const { return fgColour_; }
    COLORREF BackColour() const { return bgColour_; }
    const QFont& CaptionFont() const { return captionFont_; }
    QRect PreviewRect() const { return previewRect_; }
    int ScrollOffset() const { return scrollOffset_; }
    bool IsAckTimerRunning() const { return ackTimer_.isActive(); }
    bool IsGuardTimerRunning() const { return guardTimer_.isActive(); }

    QLineEdit* TextEdit() const { return textEdit_; }
    oRealEdit* Edit(int id) const;
    CDropButton* List(int id) const;
    CGdipButton* Button(int id) const;
    QScrollBar* PreviewScroll() const { return scroll_; }

    void OnSendCaption();
    void BeginCaptionTransfer();
    void MeasureText();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    CGdipButton* MakeButton(int id, const QString& caption);
    CGdipButton* MakeCheck(int id, const QString& caption);
    QLabel* MakeLabel(int id, const QString& text);
    oRealEdit* MakeEdit(int id, float low, float initial, float high);
    CDropButton* MakeList(int id);
    void FillLists();
    void Relayout();
    int LayOutControls(int captionHeight, int editHeight);
    int RoomBelow() const;
    int PlaceButtonRows(std::initializer_list<CGdipButton*> buttons, int left, int right, int y, int height);
    void ApplyPageHeight();
    void ResetDefaults();
    void ApplyCaptionFont(const QFont& font);
    void ApplyTextColours();
    void SetPlacementEnabled(bool on);
    bool ShowPickedSize();
    int ListData(int id) const;
    int EditValue(int id) const;

    void OnButton(int id);
    void OnValueChanged(int id) override;
    void OnDropSelect(int id, int index) override;
    void OnAdvanced(bool on);
    void ShowAdvancedPart(bool on);
    void OnBrowse();
    void OnColour(bool foreground);
    void OnFont();
    void OnSave();
    void OnInitialise();
    void OnDisplay();
    void OnOutput(int k);

    void SendColours(int mode);
    void SendSpeedDirection(int speed, int direction);
    void SendPlacement();
    void SendChunk();
    void FinishTransfer();
    void FailTransfer(const QString& message);
    void OnAnnouncePauseOver();
    void HandleAccept(bool accepted);
    void OnAckTimer();
    void OnAcceptTimer();
    void OnGuardTimer();
    void OnInitialiseTimer();

    void ShowWait();
    void SetBusy(bool busy);
    void LoadPreviewBitmap();
    QImage PreviewImage() const;
    int MaxScrollOffset() const;

    QLineEdit* textEdit_ = nullptr;
    std::array<oRealEdit*, 5> edits_{};
    std::array<CDropButton*, 4> lists_{};
    std::array<QLabel*, 8> labels_{};
    std::array<CGdipButton*, 4> outputs_{};
    CGdipButton* send_ = nullptr;
    CGdipButton* display_ = nullptr;
    CGdipButton* browse_ = nullptr;
    CGdipButton* fgButton_ = nullptr;
    CGdipButton* bgButton_ = nullptr;
    CGdipButton* fontButton_ = nullptr;
    CGdipButton* save_ = nullptr;
    CGdipButton* advanced_ = nullptr;
    CGdipButton* initialise_ = nullptr;
    CGdipButton* invert_ = nullptr;
    CGdipButton* alignCentre_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    CSxGroupBox* settingGroup_ = nullptr;
    CSxGroupBox* previewGroup_ = nullptr;
    CSxGroupBox* displayGroup_ = nullptr;
    CSxGroupBox* inputGroup_ = nullptr;

    int captionNo_ = 0;
    QString bitmapPath_;
    bool userBitmap_ = false;
    bool transferDisarmed_ = false;
    bool invertBits_ = false;
    QFont captionFont_;
    COLORREF fgColour_ = 0x0000FF;
    COLORREF bgColour_ = 0;
    QRect previewRect_;
    int scrollOffset_ = 0;
    QPoint dragStart_;
    bool dragging_ = false;
    QImage previewBitmap_;     // the picked picture as it was written (1 bit)
    mutable QImage previewBacks_[2];  // backgrounds of modes 1 and 2, loaded on first use

    caption::CaptionTransfer transfer_;
    bool announcing_ = false;      // within the pause after the announcement
    int pendingAccept_ = -1;       // an answer that came during the pause (1 accepted, 0 refused)
    bool waitingInitialise_ = false;
    bool relayingOut_ = false;
    QTimer ackTimer_;
    QTimer pauseTimer_;
    QTimer acceptTimer_;
    QTimer guardTimer_;
    QTimer initialiseTimer_;
    CaptionTimings timings_;
    CaptionDialogs dialogs_;
};
