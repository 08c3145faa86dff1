#include "gui/icons.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFont>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "editors/icon_choice.h"
#include "gui/data_folder.h"

namespace orv::gui {

namespace {

class GlyphEngine final : public QIconEngine {
public:
    GlyphEngine(QString text, QColor color) : text_(std::move(text)), color_(std::move(color)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QColor fill = mode == QIcon::Disabled ? QColor(0xa0, 0xa0, 0xa0) : color_;
        const QRectF box = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
        QPainterPath path;
        path.addRoundedRect(box, rect.width() / 6.0, rect.height() / 6.0);
        painter->fillPath(path, fill);
        QFont font = QApplication::font();
        font.setBold(true);
        font.setPixelSize(std::max(1, static_cast<int>(rect.height() * (text_.size() > 1 ? 0.5 : 0.7))));
        painter->setFont(font);
        painter->setPen(Qt::white);
        painter->drawText(rect, Qt::AlignCenter, text_);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }
    QIconEngine* clone() const override { return new GlyphEngine(text_, color_); }

private:
    QString text_;
    QColor color_;
};

}  // namespace

QIcon glyphIcon(const QString& text, const QColor& color) { return QIcon(new GlyphEngine(text, color)); }

QIcon themeIcon(const QString& name, QStyle::StandardPixmap standard) {
    return QIcon::fromTheme(name, QApplication::style()->standardIcon(standard));
}

QIcon themeIcon(const QString& name, const QString& glyph, const QColor& color) {
    return QIcon::fromTheme(name, glyphIcon(glyph, color));
}

QIcon iconFromFolder(const QString& folder, const QString& name) {
    QIcon icon;
    const QDir dir(folder);
    for (const QString& file : dir.entryList({name + QStringLiteral("-*.png")}, QDir::Files))
        icon.addFile(dir.filePath(file));
    return icon;
}

QIcon mainIcon() {
    // Read once: the list and the tray ask for it again and again.
    static const QIcon* const icon = [] {
        const QString folder = dataFolder(QStringLiteral("icons"));
        QIcon shipped = folder.isEmpty() ? QIcon() : iconFromFolder(folder, QStringLiteral("orvanta"));
        if (shipped.isNull()) {
            qWarning().noquote() << QStringLiteral(
                                        "Orvanta's icon folder \"%1\" is missing or empty; Orvanta draws "
                                        "its icons instead. Reinstall Orvanta to put the folder back.")
                                        .arg(QDir::toNativeSeparators(expectedDataFolder(QStringLiteral("icons"))));
            shipped =
                QIcon::fromTheme(QStringLiteral("orvanta"), glyphIcon(QStringLiteral("O"), QColor(0x2a, 0x6f, 0xb8)));
        }
        return new QIcon(shipped);
    }();
    return *icon;
}

QIcon menuIcon() { return glyphIcon(QStringLiteral("M"), QColor(0x3c, 0x8d, 0x4e)); }

QIcon runningIcon() { return glyphIcon(QStringLiteral("\u25B6"), QColor(0xc0, 0x39, 0x2b)); }
QIcon recordingIcon() { return glyphIcon(QStringLiteral("\u25CF"), QColor(0xc6, 0x28, 0x28)); }

QIcon macroIcon(const MacroIconRef& ref, bool popupMenu) {
    if (ref.kind == MacroIconRef::Kind::File) {
        const QPixmap file(QString::fromStdString(ref.path));
        if (!file.isNull()) return QIcon(file);
        return popupMenu ? menuIcon() : mainIcon();
    }
    return ref.kind == MacroIconRef::Kind::Menu ? menuIcon() : mainIcon();
}

std::optional<std::string> loadIcon(QWidget* parent, const std::string& iconsDir, IUserPrompt& prompt) {
    const QString file =
        QFileDialog::getOpenFileName(parent, QStringLiteral("Load in Icon"), QString::fromStdString(iconsDir),
                                     QStringLiteral("Icons (*.ico *.ICO)"));
    if (file.isEmpty()) return std::nullopt;
    const std::optional<std::string> name = editors::chooseIcon(file.toStdString(), iconsDir, prompt);
    if (name && QIcon(QString::fromStdString(iconsDir + "/" + *name)).pixmap(32, 32).isNull()) {
        prompt.messageBox("Error", "Icon could not be opened.", PromptButtons::Ok);
        return std::nullopt;
    }
    return name;
}

}  // namespace orv::gui
