// The document base of the worksheet: both panes show one document of this kind.
#pragma once

#include "Framework.h"

class CScintillaColorerDoc : public CDocument {
  DECLARE_DYNCREATE(CScintillaColorerDoc)
public:
  CScintillaColorerDoc() = default;
  BOOL OnNewDocument() override;
};
