#include "shell/SafeWrite.h"

#include <QSaveFile>

namespace scrivane::app {

bool WriteFileSafely(const QString& path, const QByteArray& bytes, QString* reason) {
    QSaveFile file(path);
    auto fail = [&] {
        if (reason) *reason = file.errorString();  // before cancelling, which resets it
        file.cancelWriting();
        return false;
    };
    // Unbuffered, and the rest written again after a short write: the write that fails
    // then gives the system's reason (a full disk), which a short count alone does not.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail();
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) return fail();
        done += written;
    }
    if (!file.commit()) {
        if (reason) *reason = file.errorString();
        return false;
    }
    return true;
}

}  // namespace scrivane::app
