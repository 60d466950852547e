// The part of the file seam that is the same on every target: the reason of the
// last failure and its Japanese description, and the handle's ownership.
#include "platform/FileSystem.h"

#include "text/Unicode.h"

namespace {

thread_local CFileErrorInfo t_lastError;

} // namespace

CFileHandle::~CFileHandle() { Close(); }

CFileHandle& CFileHandle::operator=(CFileHandle&& other) noexcept
{
    if (this != &other) {
        Close();
        m_h = other.m_h;
        m_bOwned = other.m_bOwned;
        other.m_h = kNone;
    }
    return *this;
}

CFileErrorInfo LastFileError() { return t_lastError; }

void SetLastFileError(EFileError kind, long nCode)
{
    t_lastError.kind = kind;
    t_lastError.nCode = nCode;
}

std::string LastFileErrorText()
{
    // UTF-8 here, Shift-JIS in the result.
    const char* text = "原因不明のエラーです";
    switch (t_lastError.kind) {
    case EFileError::None: text = "エラーはありません"; break;
    case EFileError::NotFound: text = "ファイルまたはフォルダが見つかりません"; break;
    case EFileError::AccessDenied: text = "アクセスが拒否されました（読み取り専用か、権限がありません）"; break;
    case EFileError::ReadOnly: text = "読み取り専用のファイルです"; break;
    case EFileError::Sharing: text = "他のプログラムがファイルを使用中です"; break;
    case EFileError::DiskFull: text = "ディスクの空き容量が足りません"; break;
    case EFileError::Exists: text = "同じ名前のファイルがすでにあります"; break;
    case EFileError::ReadError: text = "読み込み中にエラーが発生しました"; break;
    case EFileError::WriteError: text = "書き込み中にエラーが発生しました"; break;
    case EFileError::Other: break;
    }
    std::string result = Utf8ToSjis(text);
    if (t_lastError.nCode != 0)
        result += " (" + std::to_string(t_lastError.nCode) + ")";
    return result;
}
