// Intrusive doubly linked list: nodes carry the links, the list carries the ends and the count
// and owns its nodes. A node belongs to at most one list at a time.
#pragma once
#include <cstdint>

namespace zkw {

// Base of every object kept in a TLinkList.
class TItemNode {
 public:
  TItemNode() = default;
  TItemNode(const TItemNode&) = delete;
  TItemNode& operator=(const TItemNode&) = delete;
  virtual ~TItemNode() = default;

  TItemNode* PrevItem = nullptr;
  TItemNode* NextItem = nullptr;
};

class TLinkList {
 public:
  TLinkList() = default;
  TLinkList(const TLinkList&) = delete;
  TLinkList& operator=(const TLinkList&) = delete;
  virtual ~TLinkList();  // destroys every node (Destroy)

  int32_t Count() const { return FCount; }
  TItemNode* Head() const { return FHead; }
  TItemNode* Tail() const { return FTail; }

  void Append(TItemNode* pNode);
  void Prepend(TItemNode* pNode);
  // Puts pItem immediately before pNode; false when pNode is null.
  bool Insert(TItemNode* pNode, TItemNode* pItem);
  TItemNode* PopFirst();
  TItemNode* PopLast();
  // Unlinks pNode and returns it; its own links are left as they were.
  TItemNode* Delete(TItemNode* pNode);
  TItemNode* DeleteAt(int32_t Index);
  void FreeItem(TItemNode* pNode);
  void FreeAt(int32_t Index);
  // Destroys every node, from the tail towards the head.
  void FreeAll();
  TItemNode* Get(int32_t Index) const;
  int32_t IndexOf(const TItemNode* pNode) const;
  void MoveToHead(TItemNode* pNode);
  void MoveToTail(TItemNode* pNode);
  bool MoveUp(TItemNode* pNode);
  bool MoveDown(TItemNode* pNode);

 protected:
  int32_t FCount = 0;
  TItemNode* FHead = nullptr;
  TItemNode* FTail = nullptr;
};

}  // namespace zkw
