// What the framework does with a document on the user's behalf: saving under
// its name or a new one, the "save changes" question, closing.
#pragma once
#include <string>

class CDocBase;

// Saves pDoc under its path, or asks for a name when it has none or bAskName
// is set (Save As). True when it was saved.
bool DoSave(CDocBase* pDoc, bool bAskName);
// Asks "save changes?" about a modified document: Yes saves it, No leaves it,
// Cancel (or a failed save) answers false: the document must stay open.
bool SaveModified(CDocBase* pDoc);
// Closes every window of pDoc without asking; the document goes with them.
void CloseDocument(CDocBase* pDoc);
// The Save As dialog: the chosen path (Shift-JIS), or empty when cancelled.
std::string PromptForSaveName(const CDocBase* pDoc);
