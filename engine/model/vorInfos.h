#pragma once
#include <string>

namespace scrivane {

// Document information: the PDF Info dictionary and the document properties elsewhere.
// Author, title, subject and keywords are UTF-8 whatever the text's encoding, so that a
// title in any script survives a text that Windows-1252 holds.
struct vorInfos {
    std::string author;
    std::string title;
    std::string subject;
    std::string keywords;
    std::string FCObjectNumber;  // object number of the embedded source stream; empty = none
    std::string cff;             // format file the document was written with (read on import)
};

}  // namespace scrivane
