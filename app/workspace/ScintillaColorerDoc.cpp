#include "ScintillaColorerDoc.h"

IMPLEMENT_DYNCREATE(CScintillaColorerDoc, CDocument)

BOOL CScintillaColorerDoc::OnNewDocument() { return CDocument::OnNewDocument() ? TRUE : FALSE; }
