#pragma once
// Scripted answers for the writing aids' modal windows, for the tests.
#include <QStringList>
#include <deque>
#include <optional>

#include "dialogs/AidDialogs.h"

namespace scrivane::app::test {

// Answers the writing aids' windows from queues; an empty queue answers Cancel.
class ScriptedAidDialogs : public AidDialogs {
public:
    std::deque<QString> values;  // AskModifyValue and AskText
    std::deque<int> lines;
    std::deque<ImageFields> images;
    QStringList asked;  // the key or prompt of every window shown
    int defaultLineShown = 0;

    QString AskModifyValue(const QString& key) override { return Next(key); }
    QString AskText(const QString&, const QString& prompt) override { return Next(prompt); }
    int AskLine(int defaultLine) override {
        defaultLineShown = defaultLine;
        asked << "line";
        if (lines.empty()) return -1;
        const int line = lines.front();
        lines.pop_front();
        return line;
    }
    std::optional<ImageFields> AskImage() override {
        asked << "image";
        if (images.empty()) return std::nullopt;
        ImageFields fields = images.front();
        images.pop_front();
        return fields;
    }

private:
    QString Next(const QString& what) {
        asked << what;
        if (values.empty()) return {};
        const QString value = values.front();
        values.pop_front();
        return value;
    }
};

}  // namespace scrivane::app::test
