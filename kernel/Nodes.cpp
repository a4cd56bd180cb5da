#include "Nodes.h"

#include <algorithm>
#include <string>

namespace evalkern {

namespace {

// Private identities through which the kernel finds its own object behind a node pointer. A
// node of another origin does not know them, so the downcast below is never taken for it.
const IID kLowermostSelf = {0x27844c9f, 0x1a34, 0x48e5, {0x83, 0x65, 0x55, 0x68, 0x2b, 0x13, 0xeb, 0x9c}};
const IID kErrorSelf = {0x94a8a28e, 0x7d5a, 0x4612, {0x8c, 0x74, 0x87, 0xb4, 0x24, 0x9e, 0x7c, 0x4e}};
const IID kVariableOrConstSelf = {0x95eda8e4, 0x14bc, 0x4a60, {0xaa, 0x0e, 0xbf, 0x3f, 0xdb, 0xc6, 0x1e, 0x04}};
const IID kFuncSelf = {0x730fc5e0, 0x2d5b, 0x4020, {0x91, 0xd1, 0x9d, 0xd8, 0x3e, 0x33, 0x61, 0xd0}};
const IID kListSelf = {0x836017a1, 0xe2a6, 0x49e5, {0x8d, 0x5a, 0x13, 0xd3, 0xcb, 0x26, 0x52, 0x05}};

const ErrorSource kNodeSource{};

HRESULT PutString(const std::wstring& s, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  *out = SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT PutChild(const NodeChildren& children, long index, INodeParsing** out) {
  return GuardOut(kNodeSource, out, [&] {
    // Compared unsigned, so a negative index fails like one past the end.
    if (static_cast<unsigned long>(index) >= children.size())
      RaiseError(L"List index out of bounds (" + std::to_wstring(index) + L")");
    *out = children[static_cast<size_t>(index)];
    (*out)->AddRef();
  });
}

HRESULT PutCount(const NodeChildren& children, long* out) {
  if (!out) return E_POINTER;
  *out = static_cast<long>(children.size());
  return S_OK;
}

// Releases the children of a node being destroyed. A deep tree would otherwise free itself by
// recursion as deep as the tree; the outermost release on a thread collects the children that
// inner destructors hand over and releases them one at a time.
void ReleaseAll(NodeChildren& children) {
  thread_local NodeChildren* pending = nullptr;
  if (pending) {
    pending->insert(pending->end(), children.begin(), children.end());
    children.clear();
    return;
  }
  NodeChildren queue;
  queue.swap(children);
  pending = &queue;
  while (!queue.empty()) {
    INodeParsing* c = queue.back();
    queue.pop_back();
    if (c) c->Release();
  }
  pending = nullptr;
}

// The kernel object behind `node` when it answers the private identity `self`.
template <class T, class I>
T* KernelNode(INodeParsing* node, const IID& self) {
  if (!node) return nullptr;
  void* p = nullptr;
  if (FAILED(node->QueryInterface(self, &p)) || !p) return nullptr;
  I* itf = static_cast<I*>(p);
  itf->Release();  // the caller's reference keeps the node alive
  return static_cast<T*>(itf);
}

}  // namespace

// ---- TNodeLowermost ----

TNodeLowermost::TNodeLowermost(const VARIANT& value) {
  VariantInit(&value_);
  if (FAILED(VariantCopy(&value_, const_cast<VARIANT*>(&value))))
    RaiseError(L"Out of memory", E_OUTOFMEMORY);
}

TNodeLowermost::~TNodeLowermost() { VariantClear(&value_); }

void* TNodeLowermost::Cast(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_INodeParsing || iid == IID_INodeLowermost ||
      iid == kLowermostSelf)
    return static_cast<INodeLowermost*>(this);
  return nullptr;
}

STDMETHODIMP TNodeLowermost::get_Value(VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  return VariantCopy(out, &value_);
}

// ---- TNodeError ----

void* TNodeError::Cast(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_INodeParsing || iid == IID_INodeError || iid == kErrorSelf)
    return static_cast<INodeError*>(this);
  return nullptr;
}

STDMETHODIMP TNodeError::get_TextError(BSTR* out) { return PutString(textError_, out); }

// ---- TNodeVariableOrConst ----

void* TNodeVariableOrConst::Cast(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_INodeParsing || iid == IID_INodeVariableOrConst ||
      iid == kVariableOrConstSelf)
    return static_cast<INodeVariableOrConst*>(this);
  return nullptr;
}

STDMETHODIMP TNodeVariableOrConst::get_Name(BSTR* out) { return PutString(name_, out); }

// ---- TNodeFunc ----

TNodeFunc::TNodeFunc(std::wstring name, NodeChildren children)
    : name_(std::move(name)), childNodes_(std::move(children)) {
  try {
    if (childNodes_.size() <= kKindsInline) {
      for (size_t i = 0; i < childNodes_.size(); ++i)
        kindsInline_[i] = IdentifyNode(childNodes_[i]);
    } else {
      kindsMore_.reserve(childNodes_.size());
      for (INodeParsing* child : childNodes_) kindsMore_.push_back(IdentifyNode(child));
    }
  } catch (...) {
    ReleaseAll(childNodes_);  // the node is not made: the references stay with nobody
    throw;
  }
}

TNodeFunc::TNodeFunc(std::wstring name, NodeChildren children, const KernelNodeRef* kinds)
    : name_(std::move(name)), childNodes_(std::move(children)) {
  try {
    if (childNodes_.size() <= kKindsInline)
      std::copy(kinds, kinds + childNodes_.size(), kindsInline_);
    else
      kindsMore_.assign(kinds, kinds + childNodes_.size());
  } catch (...) {
    ReleaseAll(childNodes_);  // the node is not made: the references stay with nobody
    throw;
  }
}

TNodeFunc::~TNodeFunc() { ReleaseAll(childNodes_); }

void* TNodeFunc::Cast(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_INodeParsing || iid == IID_INodeFunc || iid == kFuncSelf)
    return static_cast<INodeFunc*>(this);
  return nullptr;
}

STDMETHODIMP TNodeFunc::get_Name(BSTR* out) { return PutString(name_, out); }
STDMETHODIMP TNodeFunc::get_CountChildNodes(long* out) { return PutCount(childNodes_, out); }
STDMETHODIMP TNodeFunc::get_ChildNodes(long index, INodeParsing** out) {
  return PutChild(childNodes_, index, out);
}

// ---- TNodeList ----

TNodeList::~TNodeList() { ReleaseAll(childNodes_); }

void* TNodeList::Cast(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_INodeParsing || iid == IID_INodeList || iid == kListSelf)
    return static_cast<INodeList*>(this);
  return nullptr;
}

STDMETHODIMP TNodeList::get_CountChildNodes(long* out) { return PutCount(childNodes_, out); }
STDMETHODIMP TNodeList::get_ChildNodes(long index, INodeParsing** out) {
  return PutChild(childNodes_, index, out);
}

// ---- creators ----

namespace {
template <class T, class I, class... A>
INodeParsing* Make(A&&... args) {
  T* node = new T(std::forward<A>(args)...);
  I* itf = node;
  itf->AddRef();
  return itf;
}

// The children handed in as a plain vector, in the nodes' own storage.
NodeChildren Pooled(std::vector<INodeParsing*>& children) {
  try {
    return NodeChildren(children.begin(), children.end());
  } catch (...) {
    for (INodeParsing* c : children) c->Release();  // still ours when the node was not made
    throw;
  }
}
}  // namespace

INodeParsing* MakeLowermostNode(const VARIANT& value) {
  return Make<TNodeLowermost, INodeLowermost>(value);
}
INodeParsing* MakeErrorNode(const std::wstring& textError) {
  return Make<TNodeError, INodeError>(textError);
}
INodeParsing* MakeVariableOrConstNode(const std::wstring& name) {
  return Make<TNodeVariableOrConst, INodeVariableOrConst>(name);
}
INodeParsing* MakeFuncNode(const std::wstring& name, NodeChildren children) {
  try {
    return Make<TNodeFunc, INodeFunc>(name, std::move(children));
  } catch (...) {
    ReleaseAll(children);  // still ours when the node was not made
    throw;
  }
}
INodeParsing* MakeLowermostNode(const VARIANT& value, KernelNodeRef& made) {
  auto* node = new TNodeLowermost(value);
  made = {NodeKind::Lowermost, node};
  INodeLowermost* itf = node;
  itf->AddRef();
  return itf;
}
INodeParsing* MakeVariableOrConstNode(const std::wstring& name, KernelNodeRef& made) {
  auto* node = new TNodeVariableOrConst(name);
  made = {NodeKind::VariableOrConst, node};
  INodeVariableOrConst* itf = node;
  itf->AddRef();
  return itf;
}
INodeParsing* MakeFuncNode(const std::wstring& name, NodeChildren children,
                           const KernelNodeRef* kinds, KernelNodeRef& made) {
  TNodeFunc* node;
  try {
    node = new TNodeFunc(name, std::move(children), kinds);
  } catch (...) {
    ReleaseAll(children);  // still ours when the node was not made
    throw;
  }
  made = {NodeKind::Func, node};
  INodeFunc* itf = node;
  itf->AddRef();
  return itf;
}
INodeParsing* MakeListNode(std::vector<INodeParsing*> children) {
  NodeChildren pooled = Pooled(children);
  try {
    return Make<TNodeList, INodeList>(std::move(pooled));
  } catch (...) {
    ReleaseAll(pooled);
    throw;
  }
}

TNodeLowermost* AsLowermostNode(INodeParsing* node) {
  return KernelNode<TNodeLowermost, INodeLowermost>(node, kLowermostSelf);
}
TNodeError* AsErrorNode(INodeParsing* node) {
  return KernelNode<TNodeError, INodeError>(node, kErrorSelf);
}
TNodeVariableOrConst* AsVariableOrConstNode(INodeParsing* node) {
  return KernelNode<TNodeVariableOrConst, INodeVariableOrConst>(node, kVariableOrConstSelf);
}
TNodeFunc* AsFuncNode(INodeParsing* node) {
  return KernelNode<TNodeFunc, INodeFunc>(node, kFuncSelf);
}
TNodeList* AsListNode(INodeParsing* node) {
  return KernelNode<TNodeList, INodeList>(node, kListSelf);
}

KernelNodeRef IdentifyNode(INodeParsing* node) {
  if (TNodeFunc* n = AsFuncNode(node)) return {NodeKind::Func, n};
  if (TNodeLowermost* n = AsLowermostNode(node)) return {NodeKind::Lowermost, n};
  if (TNodeVariableOrConst* n = AsVariableOrConstNode(node)) return {NodeKind::VariableOrConst, n};
  if (TNodeError* n = AsErrorNode(node)) return {NodeKind::Error, n};
  if (TNodeList* n = AsListNode(node)) return {NodeKind::List, n};
  return {};
}

}  // namespace evalkern
