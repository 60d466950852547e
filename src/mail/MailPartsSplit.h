// Taking a multipart mail apart into a parts folder: one file a MIME entity,
// its transfer encoding (Base64, quoted-printable) undone, and the folder's
// index in the form the rebuild reads; a nested multipart becomes a folder of
// its own with its own index. Rebuilding the folder unchanged gives the mail
// again (with new boundaries).
#pragma once
#include <string>
#include <string_view>
#include <vector>

// The content fields of one entity's header.
struct CEntityHeader {
    std::string strType = "text";  // lower case
    std::string strSubtype = "plain";
    std::string strBoundary;
    std::string strEncoding;       // lower case; "" for none
    bool bInline = false;          // Content-Disposition: inline
    std::string strFileName;       // as the sender named it, Shift-JIS; "" when unnamed
};

// Reads the content fields of a header (lines ending in CR LF or LF, folded
// lines joined). The file name comes from the disposition's "filename", else
// the type's "name", with its encoded words (RFC 2047) and RFC 2231 form decoded.
CEntityHeader ParseEntityHeader(std::string_view header);
// Encoded words ("=?charset?B|Q?text?=") decoded to Shift-JIS; blanks between
// two encoded words go. ISO-2022-JP, UTF-8 and Shift-JIS texts are converted,
// others kept as bytes.
std::string DecodeHeaderWords(std::string_view text);
std::string DecodeQuotedPrintable(std::string_view text);
// False for text that is no Base64.
bool DecodeBase64Body(std::string_view text, std::string& bytes);

// One part written into a parts folder.
struct CSplitPart {
    std::string strName;  // file (or folder) name in the parts folder
    CEntityHeader header;
};

// Fills partsFolder (which must exist and be empty) from the multipart mail
// file. False, after a message, when the mail is no multipart message or a
// file cannot be read or written; what was written stays.
bool SplitMailIntoParts(std::string_view mailPath, std::string_view partsFolder);
// The same for the body of one multipart entity (the text after its header).
bool SplitMultipartBody(std::string_view body, std::string_view boundary, std::string_view partsFolder,
                        std::vector<CSplitPart>& parts, int depth = 0);

// A new, empty folder for one mail's parts below folder ("~$parts000",
// "~$parts001" ...); "" after a message when none can be made.
std::string MakePartsFolder(std::string_view folder);
