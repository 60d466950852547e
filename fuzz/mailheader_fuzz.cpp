// A mail file from the input, read as the editor reads received mail: the
// header under the mail client's mutex (strict or not, with or without alias
// expansion), every value drawn from it, the boundary, the body checks; the
// same bytes as a document's header lines, and as one address field body. Each
// field is folded again, which must keep every non-blank byte in its order.
//
// Input: one flag byte (bit 0 strict, bit 1 expand aliases), then the file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "mail/AliasTable.h"
#include "mail/HeaderFold.h"
#include "mail/HeaderSource.h"
#include "mail/Mail.h"
#include "platform/FileSystem.h"
#include "text/LineStore.h"

namespace {

std::string NonBlank(std::string_view s)
{
    std::string out;
    for (char c : s)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            out += c;
    return out;
}

const std::string& MailPath()
{
    static const std::string s_path = [] {
        const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return std::string(dir) + "/mailheader_fuzz-" + std::to_string(getpid()) + ".txt";
    }();
    return s_path;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SilenceUi();
    AllocateLineBuffers();
    Aliases().LoadText("team: a@x, \"B, b\" <b@x>, inner\ninner: c@x, d\nd: e@x\nloop: a@x, loop2\nloop2: loop\n",
                       "fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    bool bStrict = data[0] & 1;
    bool bExpand = data[0] & 2;
    std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    {
        CFileHandle f = OpenFileForWriting(MailPath(), EWriteMode::Truncate);
        Check(f.IsOpen() && f.Write(bytes.data(), bytes.size()));
    }
    {
        CMail mail(MailPath());
        mail.Load(bStrict, bExpand);
        mail.GetBoundary(true);
        mail.BodyHasDoubleByte();
        std::string text;
        while (mail.NextFieldText(text, true)) {
            std::string folded = text + "\r\n";
            FoldHeaderLine(folded, 76);
            Check(NonBlank(folded) == NonBlank(text));
        }
        Check(mail.GetBodySummary().size() <= kBodySummaryBytes);
        CMail::SenderNameOf(bytes);
    }

    // The bytes as the header lines of a document.
    CLineStore lines;
    size_t start = 0;
    for (size_t i = 0; i <= bytes.size() && lines.GetLineCount() < 200; ++i) {
        if (i == bytes.size() || bytes[i] == '\n' || bytes[i] == '\0') {
            std::string_view line = bytes.substr(start, i - start);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            if (line.size() < static_cast<size_t>(MaxLineLength))
                lines.AppendLine(CLineStore::DupLine(line.data(), line.size()));
            start = i + 1;
        }
    }
    CHeaderSource& src = HeaderSource();
    src.SetDocument(&lines, bStrict, "fuzz");
    std::string name, body;
    for (int n = 0; n < 1000; ++n) {
        int r = src.ReadField(name, body);
        if (r == kHeaderEnd || r == kFieldError)
            break;
    }
    src.Reset();

    // The bytes as one address field.
    if (bytes.size() < 4096) {
        CDestination to("To", bytes);
        to.Prase(bExpand);
        Check(to.Addresses().size() == to.WrittenForms().size());
    }
    return 0;
}
