// Objects to and from the bytes of an archive, for the tests of what the framework stores.
#pragma once
#include "Framework.h"

#include <vector>

namespace archive_bytes {

// The bytes an object writes into an archive.
template <class T>
std::vector<BYTE> Store(T& object) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    object.Serialize(ar);
  }
  std::vector<BYTE> bytes((size_t)file.GetLength());
  file.SeekToBegin();
  file.Read(bytes.data(), (UINT)bytes.size());
  return bytes;
}

// Reads an object from the bytes; FALSE when the archive raised an error.
template <class T>
BOOL Load(T& object, std::vector<BYTE> bytes) {
  CMemFile file(bytes.data(), (UINT)bytes.size());
  try {
    CArchive ar(&file, CArchive::load);
    object.Serialize(ar);
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

}  // namespace archive_bytes
