#include "common/link_list.h"

namespace zkw {

TLinkList::~TLinkList() { FreeAll(); }

void TLinkList::Append(TItemNode* pNode) {
  pNode->NextItem = nullptr;
  pNode->PrevItem = FTail;
  if (FTail)
    FTail->NextItem = pNode;
  else
    FHead = pNode;
  FTail = pNode;
  ++FCount;
}

void TLinkList::Prepend(TItemNode* pNode) {
  pNode->PrevItem = nullptr;
  pNode->NextItem = FHead;
  if (FHead)
    FHead->PrevItem = pNode;
  else
    FTail = pNode;
  FHead = pNode;
  ++FCount;
}

bool TLinkList::Insert(TItemNode* pNode, TItemNode* pItem) {
  if (!pNode) return false;
  if (pNode == FHead) {
    Prepend(pItem);
    return true;
  }
  pItem->PrevItem = pNode->PrevItem;
  pItem->NextItem = pNode;
  if (pNode->PrevItem) pNode->PrevItem->NextItem = pItem;
  pNode->PrevItem = pItem;
  ++FCount;
  return true;
}

TItemNode* TLinkList::PopFirst() {
  TItemNode* node = FHead;
  if (!node) return nullptr;
  FHead = node->NextItem;
  if (FHead)
    FHead->PrevItem = nullptr;
  else
    FTail = nullptr;
  node->NextItem = nullptr;
  --FCount;
  return node;
}

TItemNode* TLinkList::PopLast() {
  TItemNode* node = FTail;
  if (!node) return nullptr;
  FTail = node->PrevItem;
  if (FTail)
    FTail->NextItem = nullptr;
  else
    FHead = nullptr;
  node->PrevItem = nullptr;
  --FCount;
  return node;
}

TItemNode* TLinkList::Delete(TItemNode* pNode) {
  if (!pNode) return nullptr;
  if (pNode == FHead) return PopFirst();
  if (pNode == FTail) return PopLast();
  // A node outside this list has no neighbours linking back to it; leave the list alone.
  if (!pNode->PrevItem || pNode->PrevItem->NextItem != pNode || !pNode->NextItem ||
      pNode->NextItem->PrevItem != pNode)
    return pNode;
  pNode->PrevItem->NextItem = pNode->NextItem;
  pNode->NextItem->PrevItem = pNode->PrevItem;
  --FCount;
  return pNode;
}

TItemNode* TLinkList::DeleteAt(int32_t Index) {
  TItemNode* node = Get(Index);
  return node ? Delete(node) : nullptr;
}

void TLinkList::FreeItem(TItemNode* pNode) {
  if (!pNode) return;
  Delete(pNode);
  delete pNode;
}

void TLinkList::FreeAt(int32_t Index) {
  if (TItemNode* node = Get(Index)) FreeItem(node);
}

void TLinkList::FreeAll() {
  while (FCount > 0) delete PopLast();
  FHead = FTail = nullptr;
}

TItemNode* TLinkList::Get(int32_t Index) const {
  if (Index < 0 || Index >= FCount) return nullptr;
  TItemNode* node = FHead;
  while (Index-- > 0) node = node->NextItem;
  return node;
}

int32_t TLinkList::IndexOf(const TItemNode* pNode) const {
  int32_t index = 0;
  for (TItemNode* node = FHead; node; node = node->NextItem, ++index)
    if (node == pNode) return index;
  return -1;
}

void TLinkList::MoveToHead(TItemNode* pNode) {
  Delete(pNode);
  Prepend(pNode);
}

void TLinkList::MoveToTail(TItemNode* pNode) {
  Delete(pNode);
  Append(pNode);
}

bool TLinkList::MoveUp(TItemNode* pNode) {
  if (FCount < 2 || !pNode || pNode == FHead) return false;
  TItemNode* predecessor = pNode->PrevItem;
  Delete(pNode);
  return Insert(predecessor, pNode);
}

bool TLinkList::MoveDown(TItemNode* pNode) {
  if (FCount < 2 || !pNode || pNode == FTail || !pNode->NextItem) return false;
  TItemNode* successor = pNode->NextItem;
  Delete(successor);
  return Insert(pNode, successor);
}

}  // namespace zkw
