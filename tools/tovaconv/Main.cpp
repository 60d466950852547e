// tovaconv: converts a text file exactly as the editor loads and saves it.
//   tovaconv [-s|-e|-j] [-lf|-crlf] [-tab 4|8] [-euc|-sjis] IN OUT
// "-" is standard input or output. The output code is the one the load found
// unless -s (Shift-JIS), -e (EUC-JP) or -j (JIS) says otherwise; the line ends
// likewise (LF when the file had a line ending without CR) unless -lf or -crlf.
// -tab sets the tab width of reading ("ReadTab", 8 by default), -euc and -sjis
// the code option of reading. The load's messages go to standard error.
// Exit status: 0 done, 1 the load or the save failed, 2 wrong arguments.
#include <cstdio>
#include <cstring>
#include <string>

#include "settings/AppSettings.h"
#include "fw/Archive.h"
#include "platform/FileSystem.h"
#include "text/Doc.h"

#ifdef _WIN32
#include <vector>

#include "platform/Wide_win.h"
#endif

namespace {

const char kUsage[] =
    "usage: tovaconv [-s|-e|-j] [-lf|-crlf] [-tab 4|8] [-euc|-sjis] IN OUT\n"
    "  -s, -e, -j   write Shift-JIS, EUC-JP or JIS (default: the code of IN)\n"
    "  -lf, -crlf   end lines with LF or CR LF (default: as IN)\n"
    "  -tab N       tab width of IN (default 8)\n"
    "  -euc, -sjis  read IN as EUC-JP / take it for Shift-JIS where unsure\n"
    "  IN, OUT      file names; - is standard input / output\n";

struct COptions {
    char code = 0;   // 's', 'e', 'j' or 0
    int lfOnly = -1;  // 1 LF, 0 CR LF, -1 as read
    const char* in = nullptr;
    const char* out = nullptr;
};

bool ParseArguments(int argc, char** argv, COptions& o)
{
    int i = 1;
    for (; i < argc && argv[i][0] == '-' && argv[i][1] != '\0'; ++i) {
        std::string a = argv[i];
        if (a == "-s" || a == "-e" || a == "-j") {
            o.code = a[1];
        } else if (a == "-lf" || a == "-crlf") {
            o.lfOnly = a == "-lf";
        } else if (a == "-tab" && i + 1 < argc && (!std::strcmp(argv[i + 1], "4") || !std::strcmp(argv[i + 1], "8"))) {
            AppSettings().m_nReadTab = argv[++i][0] - '0';
        } else if (a == "-euc") {
            AppSettings().m_nCodeOption = 1;
        } else if (a == "-sjis") {
            AppSettings().m_nCodeOption = 2;
        } else {
            return false;
        }
    }
    if (argc - i != 2)
        return false;
    o.in = argv[i];
    o.out = argv[i + 1];
    return true;
}

bool IsStdio(const char* name) { return std::strcmp(name, "-") == 0; }

bool Load(CDoc& doc, const char* in)
{
    if (!IsStdio(in))
        return doc.OnOpenDocument(in);
    CFileHandle file = StandardInput();
    CArchive ar(file, CArchive::Load, "(標準入力)");
    return doc.Serialize(ar);
}

bool Save(CDoc& doc, const char* out)
{
    if (!IsStdio(out))
        return doc.OnSaveDocument(out);
    CFileHandle file = StandardOutput();
    CArchive ar(file, CArchive::Store, "(標準出力)");
    if (doc.Serialize(ar) && ar.Flush())
        return true;
    std::fprintf(stderr, "tovaconv: cannot write to standard output\n");
    return false;
}

// The document lives to the end of the program: giving its lines back one by
// one would only cost time at exit.
CDoc* g_pDoc = nullptr;

} // namespace

int Run(int argc, char** argv)
{
    COptions o;
    if (!ParseArguments(argc, argv, o)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    g_pDoc = new CDoc;
    CDoc& doc = *g_pDoc;
    // Nobody waits on this file but the caller, who has the exit status.
    doc.m_bForceToDisk = false;
    if (!Load(doc, o.in))
        return 1;
    switch (o.code) {
    case 's': doc.m_Lines.m_bJis = doc.m_Lines.m_bEuc = false; break;
    case 'e': doc.m_Lines.m_bJis = false, doc.m_Lines.m_bEuc = true; break;
    case 'j': doc.m_Lines.m_bJis = true, doc.m_Lines.m_bEuc = false; break;
    default: break;
    }
    if (o.lfOnly >= 0)
        doc.m_Lines.m_bLfOnly = o.lfOnly == 1;
    return Save(doc, o.out) ? 0 : 1;
}

#ifdef _WIN32
// File names come as UTF-16 and become Shift-JIS through our own table, so the
// program does not depend on the system's ANSI code page.
int wmain(int argc, wchar_t** wargv)
{
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i)
        args.push_back(Narrow(wargv[i]));
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return Run(argc, argv.data());
}
#else
int main(int argc, char** argv) { return Run(argc, argv); }
#endif
