#include "pages/system/MLEDCfgDlg.h"

#include "controls/ImageResources.h"
#include "device/CDeviceData.h"
#include "device/CommandIds.h"
#include "device/IniFile.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/LanguageFiles.h"
#include "pagekit/UiText.h"
#include "platform/MessageBox.h"
#include "platform/ProgramProcess.h"
#include "platform/TopLevelWindows.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr unsigned kTileImage = 115;
constexpr unsigned kActiveImage = 190;
constexpr int kUiTitle = 78;
constexpr int kMaxFolderChars = 259;
const QString kProgramName = QStringLiteral("VEXTROL.exe");
const QString kProgramArgument = QStringLiteral("NULL");
constexpr char kWindowTitle[] = "LED Display Controller";

QString StartFailedText(const QString& path, const QString& reason)
{
    QString text = LoadLangString(QStringLiteral("IDS_LED_START_FAILED"));
    if (text.isEmpty()) text = QStringLiteral("The LED display controller could not be started:\n%1\n%2");
    return text.arg(path, reason);
}

} // namespace

MLEDCfgDlg::MLEDCfgDlg(QWidget* parent) : MBaseDialog(IDD_LED_CONFIG, parent, true)
{
    setWindowTitle(QStringLiteral("LED Controller"));
    switchTimer_.setSingleShot(true);
    connect(&switchTimer_, &QTimer::timeout, this, &MLEDCfgDlg::OnSwitchDelayOver);
}

// A controller that runs is the operator's program: it outlives the page.
MLEDCfgDlg::~MLEDCfgDlg() = default;

void MLEDCfgDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    LoadPngResource(tileImage_, kTileImage);
    LoadPngResource(activeImage_, kActiveImage);
    tileRect_ = TileRects(rect());
}

std::array<QRect, MLEDCfgDlg::kTileCount> MLEDCfgDlg::TileRects(const QRect& client)
{
    const int left = client.left();
    const int top = client.top();
    const int half = (client.width() - 60) / 2;
    const QRect t0(left + 5, top + 46, half, 40);
    const QRect t1(t0.left() + half + 30, t0.top(), half, 40);
    const QRect t2(t0.left(), t1.top() + 40 + 30, half, 40);
    const QRect t3(t2.left() + half + 30, t2.top(), half, 40);
    return {t0, t1, t2, t3};
}

int MLEDCfgDlg::TileAt(const QPoint& point) const
{
    for (int k = 0; k < kTileCount; ++k)
        if (tileRect_[static_cast<size_t>(k)].contains(point)) return k;
    return -1;
}

void MLEDCfgDlg::resizeEvent(QResizeEvent* e)
{
    MBaseDialog::resizeEvent(e);
    tileRect_ = TileRects(rect());
}

void MLEDCfgDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintBackground(p);
    DrawTitleBand(p, g_UiText[kUiTitle]);
    p.setFont(PageFont());
    p.setPen(ToQColor(kPageStaticColor));
    for (int k = 0; k < kTileCount; ++k) {
        const QRect& tile = tileRect_[static_cast<size_t>(k)];
        if (tile.width() <= 0) continue;
        if (!tileImage_.isNull()) p.drawImage(tile, tileImage_);
        if (tileActive_[static_cast<size_t>(k)] && !activeImage_.isNull()) p.drawImage(tile, activeImage_);
        p.drawText(QRect(tile.left(), tile.top() - 20, tile.width(), 20), Qt::AlignHCenter | Qt::AlignVCenter,
                   QStringLiteral("DVI-%1").arg(k + 1));
    }
}

void MLEDCfgDlg::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && TileAt(e->position().toPoint()) >= 0) {
        OnLButtonDown(e->position().toPoint());
        e->accept();
        return;
    }
    MBaseDialog::mousePressEvent(e);
}

void MLEDCfgDlg::OnLButtonDown(const QPoint& point)
{
    const int k = TileAt(point);
    if (k < 0) return;
    GetDeviceData().SendCommand(CMD_LED_OUTPUT, 0, k);
    // The processor takes a moment to switch; a click meanwhile replaces the pending tile.
    pendingTile_ = k;
    switchTimer_.start(switchDelayMs_);
}

void MLEDCfgDlg::OnSwitchDelayOver()
{
    const int k = pendingTile_;
    pendingTile_ = -1;
    if (k < 0 || k >= kTileCount) return;
    if (tileActive_[static_cast<size_t>(k)]) {
        if (!controller_.IsRunning() && RunningControllers().empty()) LaunchLedController();
        return;
    }
    StopControllers();
    tileActive_.fill(false);
    tileActive_[static_cast<size_t>(k)] = true;
    update();
    LaunchLedController();
}

QString MLEDCfgDlg::ControllerPath(QString* folderOut)
{
    QString folder = IniReadString(GetInfoIniPath(), QStringLiteral("LED_CONFIG"), QStringLiteral("LED_CONFIGPATH"));
    folder = folder.left(kMaxFolderChars);
    if (folderOut) *folderOut = folder;
    if (folder.isEmpty()) return QString();
    QString base = folder;
    while (base.size() > 1 && base.endsWith(QLatin1Char('/'))) base.chop(1);
    if (base == QLatin1String("/")) return base + kProgramName;
    return base + QLatin1Char('/') + kProgramName;
}

std::vector<pid_t> MLEDCfgDlg::RunningControllers()
{
    const QString program = ControllerPath();
    if (program.isEmpty()) return {};
    const std::string file = QFile::encodeName(program).toStdString();
    std::vector<pid_t> running;
    for (pid_t pid : FindTopLevelWindowProcesses(kWindowTitle))
        if (IsProcessOfProgram(pid, file)) running.push_back(pid);
    return running;
}

void MLEDCfgDlg::StopControllers()
{
    const std::string file = QFile::encodeName(ControllerPath()).toStdString();
    for (pid_t pid : RunningControllers())
        if (pid != controller_.Pid()) EndProcessOfProgram(pid, file, stopGraceMs_);
    // Ours is ended with whatever it started, and reaped.
    controller_.Stop(stopGraceMs_);
}

void MLEDCfgDlg::LaunchLedController()
{
    QString folder;
    const QString program = ControllerPath(&folder);
    if (program.isEmpty()) return;
    std::string error;
    if (controller_.Start(QFile::encodeName(program).toStdString(), {kProgramArgument.toStdString()},
                          QFile::encodeName(folder).toStdString(), &error))
        return;
    ShowMessageBox(this, StartFailedText(program, QString::fromLocal8Bit(error.c_str())), g_UiText[UI_TEXT_TIPS]);
}
