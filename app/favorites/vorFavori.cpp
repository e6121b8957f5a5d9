#include "favorites/vorFavori.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <pugixml.hpp>

#include "util/ProgramInfo.h"

namespace scrivane::app {

namespace {

// Collects what pugixml writes into a byte array.
class ByteWriter : public pugi::xml_writer {
public:
    QByteArray bytes;
    void write(const void* data, size_t size) override {
        bytes.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
    }
};

QString Text(const pugi::xml_node& element) { return QString::fromUtf8(element.child_value()); }

void AddElement(pugi::xml_node parent, const char* name, const QString& text) {
    parent.append_child(name).text().set(text.toUtf8().constData());
}

}  // namespace

int vorFavori::loadFavorite(const QString& FavoriteFilename) {
    if (FavoriteFilename.isEmpty()) return kFavoriteEmptyName;
    QFile file(FavoriteFilename);
    if (!QFileInfo(FavoriteFilename).isFile()) return kFavoriteNotFound;
    if (!file.open(QIODevice::ReadOnly)) return kFavoriteNotXml;
    const QByteArray bytes = file.readAll();
    pugi::xml_document document;
    // pugixml never reads external entities or a DTD.
    if (!document.load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()))) {
        return kFavoriteNotXml;
    }
    // The first element is the root, whatever its name; the declaration and comments
    // before it are not.
    for (pugi::xml_node child : document.document_element().children()) {
        if (child.type() != pugi::node_element) continue;
        const QLatin1String name(child.name());
        if (name == QLatin1String("link")) {
            links << Text(child);
        } else if (name == QLatin1String("label")) {
            label = Text(child);
        } else if (name == QLatin1String("mode")) {
            mode = Text(child);
        }
    }
    fileName_ = FavoriteFilename;
    return kFavoriteOk;
}

QByteArray vorFavori::ToXml() const {
    pugi::xml_document document;
    pugi::xml_node root = document.append_child("favorite");
    root.append_attribute("creator") = kProgramName;
    root.append_attribute("version") = kProgramVersion;
    AddElement(root, "label", label);
    for (const QString& link : links) AddElement(root, "link", link);
    AddElement(root, "mode", mode);
    ByteWriter writer;
    document.save(writer, "  ", pugi::format_indent | pugi::format_no_declaration,
                  pugi::encoding_utf8);
    return writer.bytes;
}

int vorFavori::saveFavorite(const QString& FavoriteFilename) {
    const QString path = FavoriteFilename.isEmpty() ? fileName_ : FavoriteFilename;
    if (path.isEmpty()) return kFavoriteSaveFailed;
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return kFavoriteSaveFailed;
    const QByteArray bytes = ToXml();
    QSaveFile file(path);  // a failed write leaves the old favorite as it was
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        return kFavoriteSaveFailed;
    }
    return kFavoriteOk;
}

}  // namespace scrivane::app
