// The parse-tree nodes: small reference-counted objects, built once bottom up and never changed.
// Each node answers IUnknown, INodeParsing and its own interface through one pointer, so a
// consumer tells the kind of a node by asking for the specific interfaces.
#pragma once

#include <string>
#include <vector>

#include "BlockPool.h"
#include "KernelObject.h"

namespace evalkern {

// A literal value: number, text, Boolean or Empty.
class TNodeLowermost : public TRefCount, public INodeLowermost, public TPooled {
  EVALKERN_IUNKNOWN
 public:
  explicit TNodeLowermost(const VARIANT& value);  // copies the value
  ~TNodeLowermost() override;

  STDMETHODIMP get_Value(VARIANT* out) override;

  const VARIANT& Value() const { return value_; }

 private:
  void* Cast(REFIID iid);
  VARIANT value_;
};

// The result of a failed analysis, carrying its message.
class TNodeError : public TRefCount, public INodeError, public TPooled {
  EVALKERN_IUNKNOWN
 public:
  explicit TNodeError(std::wstring text) : textError_(std::move(text)) {}

  STDMETHODIMP get_TextError(BSTR* out) override;

  const std::wstring& TextError() const { return textError_; }

 private:
  void* Cast(REFIID iid);
  std::wstring textError_;
};

// A bare identifier, as written.
class TNodeVariableOrConst : public TRefCount, public INodeVariableOrConst, public TPooled {
  EVALKERN_IUNKNOWN
 public:
  explicit TNodeVariableOrConst(std::wstring name) : name_(std::move(name)) {}

  STDMETHODIMP get_Name(BSTR* out) override;

  const std::wstring& Name() const { return name_; }

 private:
  void* Cast(REFIID iid);
  std::wstring name_;
};

// A node as the kernel's walkers see it: its kind and the kernel object behind it, or kind
// Foreign (and no object) for a node of another origin.
enum class NodeKind : unsigned char { Foreign, Lowermost, Error, VariableOrConst, Func, List };
struct KernelNodeRef {
  NodeKind kind = NodeKind::Foreign;
  void* object = nullptr;  // the TNode... class that `kind` names
};
KernelNodeRef IdentifyNode(INodeParsing* node);

// The children of a call, in pooled storage: a worksheet makes one list per call.
using NodeChildren = std::vector<INodeParsing*, PoolAllocator<INodeParsing*>>;

// A call of a function or operator with its arguments in order. Holds one reference per child.
class TNodeFunc : public TRefCount, public INodeFunc, public TPooled {
  EVALKERN_IUNKNOWN
 public:
  // Takes over one reference of every child.
  TNodeFunc(std::wstring name, NodeChildren children);
  // The same when the caller knows what IdentifyNode says of each child (`kinds`, one per child).
  TNodeFunc(std::wstring name, NodeChildren children, const KernelNodeRef* kinds);
  ~TNodeFunc() override;

  STDMETHODIMP get_Name(BSTR* out) override;
  STDMETHODIMP get_CountChildNodes(long* out) override;
  STDMETHODIMP get_ChildNodes(long index, INodeParsing** out) override;

  const std::wstring& Name() const { return name_; }
  const NodeChildren& ChildNodes() const { return childNodes_; }
  // Child `index` (in range) identified once, when the node was made: a tree is evaluated many
  // times.
  const KernelNodeRef& KernelChild(size_t index) const {
    return childNodes_.size() <= kKindsInline ? kindsInline_[index] : kindsMore_[index];
  }

 private:
  void* Cast(REFIID iid);
  std::wstring name_;
  NodeChildren childNodes_;
  // Most calls have few arguments: their kinds are kept in the node itself.
  static constexpr size_t kKindsInline = 3;
  KernelNodeRef kindsInline_[kKindsInline];
  std::vector<KernelNodeRef, PoolAllocator<KernelNodeRef>> kindsMore_;
};

// The statements of a line, or the lines of a text. Holds one reference per child.
class TNodeList : public TRefCount, public INodeList, public TPooled {
  EVALKERN_IUNKNOWN
 public:
  // Takes over one reference of every child.
  explicit TNodeList(NodeChildren children) : childNodes_(std::move(children)) {}
  ~TNodeList() override;

  STDMETHODIMP get_CountChildNodes(long* out) override;
  STDMETHODIMP get_ChildNodes(long index, INodeParsing** out) override;

  const NodeChildren& ChildNodes() const { return childNodes_; }

 private:
  void* Cast(REFIID iid);
  NodeChildren childNodes_;
};

// Creators. Each returns a new node with one reference, which the caller owns. Children passed
// in are taken over with the reference the caller held (null children are not allowed).
INodeParsing* MakeLowermostNode(const VARIANT& value);
INodeParsing* MakeErrorNode(const std::wstring& textError);
INodeParsing* MakeVariableOrConstNode(const std::wstring& name);
INodeParsing* MakeFuncNode(const std::wstring& name, NodeChildren children);

// The creators for the analyser, which also keeps what it made as IdentifyNode would tell it
// (`made`), so that the call nodes above need not ask their children.
INodeParsing* MakeLowermostNode(const VARIANT& value, KernelNodeRef& made);
INodeParsing* MakeVariableOrConstNode(const std::wstring& name, KernelNodeRef& made);
INodeParsing* MakeFuncNode(const std::wstring& name, NodeChildren children,
                           const KernelNodeRef* kinds, KernelNodeRef& made);
INodeParsing* MakeListNode(std::vector<INodeParsing*> children);

// Direct read access for the kernel's own walkers, without a COM round trip per field: the
// kernel object behind a node, or null when the node is of another kind (or not the kernel's).
// The pointer lives as long as the caller's reference to `node`.
TNodeLowermost* AsLowermostNode(INodeParsing* node);
TNodeError* AsErrorNode(INodeParsing* node);
TNodeVariableOrConst* AsVariableOrConstNode(INodeParsing* node);
TNodeFunc* AsFuncNode(INodeParsing* node);
TNodeList* AsListNode(INodeParsing* node);

}  // namespace evalkern
