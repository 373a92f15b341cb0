#pragma once
// The encoder settings page of the preview stream. "Setting": a quality preset, or frame rate and
// bit rate, each change sent as the stream command (a new picture size also goes to the operating
// page as the preview format). "Update": an encoder package named exactly "VP_venc.tar.gz" is
// uploaded to the encoder's own port on a worker thread, with a progress bar and a result line.
//
// The worker never touches a widget: it posts WM_UPLOAD_PROGRESS to the page, which handles it on
// the UI thread. One upload runs at a time; the page stops and joins it when it is destroyed.

#include "pagekit/MBaseDialog.h"
#include "pages/system/EncoderUpload.h"

#include <array>
#include <cstdint>
#include <functional>

class CDropButton;
class CGdipButton;
class CMyEdit;
class CSxGroupBox;
class QLabel;
class oBitmapSlider;
class oRealEdit;

struct StreamPreset {
    int fps;
    int code;
    int kbps;
};

// The quality presets 0..3; any other number gives preset 0.
StreamPreset StreamPresetFor(int preset);
// The preset of a stream resolution code, or -1 for a code no preset uses.
int PresetForResolutionCode(int code);
// The nine bytes of the stream command: (0, fps, code, kbps >> 8, kbps & 0xFF) and then either the
// same four again (repeat) or four 255 bytes.
std::array<uint8_t, 9> StreamCommandBytes(int fps, int code, int kbps, bool repeat);

class MVideoSettingDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MVideoSettingDlg(QWidget* parent);
    ~MVideoSettingDlg() override;

    void OnInitDialog() override;
    void ApplyLanguage() override;

    // The last encoder record (device field encoderInfo) by its type: stream settings, address or
    // version.
    void OnDeviceInfo();
    QString GetEncoderIp() const { return encoderIp_; }
    int QualityPreset() const { return qualityPreset_; }
    // -1 failure, 0..100 percent.
    void SetUploadProgress(int progress);
    void FillLists();

    void OnDropSelect(int listId, int index) override;
    void OnValueChanged(int editId) override;
    void OnBrowse();
    // The package to upload; the path display shows it shortened to its width, the name whole.
    void SetPackagePath(const QString& path);
    QString PackagePath() const { return packagePath_; }
    void OnUpdate();
    bool IsUploading() const { return worker_.IsRunning(); }

    // The file dialog of Browse; tests put a chooser in its place. It returns the chosen path or
    // an empty text.
    void SetFileChooser(std::function<QString()> chooser) { chooser_ = std::move(chooser); }
    // Port and timings of the upload (the encoder's port 8877 and the protocol's pauses unless set).
    void SetUploadOptions(const encoder_upload::Options& options) { uploadOptions_ = options; }

    CDropButton* QualityList() const { return qualityList_; }
    CDropButton* ResolutionList() const { return resolutionList_; }
    oRealEdit* FrameRateEdit() const { return frameRateEdit_; }
    oRealEdit* BitRateEdit() const { return bitRateEdit_; }
    CMyEdit* PathEdit() const { return pathEdit_; }
    CGdipButton* BrowseButton() const { return browseButton_; }
    CGdipButton* UpdateButton() const { return updateButton_; }
    oBitmapSlider* Progress() const { return progress_; }
    QLabel* ResultText() const { return resultText_; }
    QLabel* VersionText() const { return versionText_; }

    LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload) override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    CGdipButton* MakeButton(int id, const QString& caption, const QRect& rect);
    void OnButton(int id);
    void SendStream(int fps, int code, int kbps, bool repeat, bool notify);
    void ShowStreamRecord(const uint8_t* record);
    // The code of the resolution the page shows: the hidden list's choice, else the shown preset's.
    int ShownResolutionCode() const;
    void ShowPackagePath();
    // The result line in the current language.
    void ShowResultLine();

    CSxGroupBox* settingGroup_ = nullptr;
    CSxGroupBox* updateGroup_ = nullptr;
    QLabel* qualityLabel_ = nullptr;
    QLabel* resolutionLabel_ = nullptr;
    QLabel* frameRateLabel_ = nullptr;
    QLabel* bitRateLabel_ = nullptr;
    CDropButton* qualityList_ = nullptr;
    CDropButton* resolutionList_ = nullptr;
    oRealEdit* frameRateEdit_ = nullptr;
    oRealEdit* bitRateEdit_ = nullptr;
    CMyEdit* pathEdit_ = nullptr;
    CGdipButton* browseButton_ = nullptr;
    CGdipButton* updateButton_ = nullptr;
    oBitmapSlider* progress_ = nullptr;
    QLabel* resultText_ = nullptr;
    QLabel* versionText_ = nullptr;

    // What the result line shows (Keep: nothing), kept so that a language switch re-words it.
    encoder_upload::ResultLine resultLine_ = encoder_upload::ResultLine::Keep;
    int resultPercent_ = 0;
    QString packagePath_;
    QString encoderIp_;
    int qualityPreset_ = 3;
    // The operating page starts at a size of its own: the first stream record always tells it.
    bool streamRecordSeen_ = false;
    std::function<QString()> chooser_;
    encoder_upload::Options uploadOptions_;
    encoder_upload::UploadWorker worker_;
};
