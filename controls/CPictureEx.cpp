#include "controls/CPictureEx.h"

#include "controls/ImageResources.h"

#include <QPainter>

CPictureEx::CPictureEx(QWidget* parent) : QWidget(parent)
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (!player_)
            return;
        player_->FinishCurrent();
        ShowFrame();
    });
}

CPictureEx::~CPictureEx() { Stop(); }

bool CPictureEx::Load(unsigned id)
{
    const QByteArray bytes = LoadGifResource(id);
    if (bytes.isEmpty()) {
        UnLoad();
        return false;
    }
    return LoadFromMemory(bytes);
}

bool CPictureEx::LoadFromMemory(const QByteArray& bytes)
{
    UnLoad();
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const std::size_t size = static_cast<std::size_t>(bytes.size());
    if (size >= 3 && data[0] == 'G' && data[1] == 'I' && data[2] == 'F') {
        isGif_ = true;
        auto decoded = DecodeGif(data, size);
        if (!decoded)
            return false;
        gif_ = std::make_shared<const GifImage>(std::move(*decoded));
        const std::uint32_t back =
            bkColor_ ? (0xFF000000u | ToQColor(*bkColor_).rgb()) : palette().color(backgroundRole()).rgb();
        player_.emplace(gif_, back);
        if (gif_->frames.size() < 2) {
            // One frame: a still picture of that frame on the background.
            player_->RenderCurrent();
            still_ = QImage(reinterpret_cast<const uchar*>(player_->Canvas().data()), gif_->width, gif_->height,
                            QImage::Format_ARGB32)
                         .copy();
            player_.reset();
        }
        Prepare(QSize(gif_->width, gif_->height));
        return true;
    }
    QImage img;
    if (!img.loadFromData(bytes) || img.isNull())
        return false;
    still_ = img.convertToFormat(QImage::Format_ARGB32);
    Prepare(still_.size());
    return true;
}

void CPictureEx::Prepare(QSize size)
{
    size_ = size;
    resize(size);
    prepared_ = true;
}

bool CPictureEx::Draw()
{
    if (!prepared_)
        return false;
    if (player_) {
        if (!timer_.isActive()) {
            // A stopped animation goes on from the frame it stopped on.
            if (player_->IsStarted())
                player_->DisposeCurrent();
            else
                player_->Start();
            ShowFrame();
        }
        return false;
    }
    update();
    return true;
}

void CPictureEx::ShowFrame()
{
    const int delay = player_->RenderCurrent();
    update();
    timer_.start(delay);
}

void CPictureEx::Stop() { timer_.stop(); }

void CPictureEx::UnLoad()
{
    Stop();
    player_.reset();
    gif_.reset();
    still_ = QImage();
    size_ = QSize();
    paintRect_ = QRect();
    isGif_ = false;
    prepared_ = false;
}

void CPictureEx::SetBkColor(COLORREF color) { bkColor_ = color; }

void CPictureEx::SetPaintRect(const QRect& r) { paintRect_ = r; }

int CPictureEx::FrameCount() const { return gif_ ? static_cast<int>(gif_->frames.size()) : (still_.isNull() ? 0 : 1); }

int CPictureEx::CurrentFrame() const { return player_ ? player_->CurrentIndex() : 0; }

QImage CPictureEx::Picture() const
{
    if (player_) {
        return QImage(reinterpret_cast<const uchar*>(player_->Canvas().data()), player_->Width(), player_->Height(),
                      QImage::Format_ARGB32)
            .copy();
    }
    return still_;
}

void CPictureEx::paintEvent(QPaintEvent*)
{
    if (!prepared_)
        return;
    QPainter p(this);
    const QImage pic = player_ ? QImage(reinterpret_cast<const uchar*>(player_->Canvas().data()), player_->Width(),
                                        player_->Height(), QImage::Format_ARGB32)
                               : still_;
    if (paintRect_.width() > 0)
        p.drawImage(QPoint(0, 0), pic, paintRect_);
    else
        p.drawImage(QPoint(0, 0), pic);
}
