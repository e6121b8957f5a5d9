#pragma once
// Writing a whole file the safe way: into a temporary file beside it that is renamed
// over it (QSaveFile), so that a failed write leaves an existing file as it was.
#include <QByteArray>
#include <QString>

namespace scrivane::app {

// False when the file could not be written, with the system's reason ("No space left on
// device", "Permission denied") in *reason when given.
bool WriteFileSafely(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

}  // namespace scrivane::app
