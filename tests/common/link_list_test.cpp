#include <gtest/gtest.h>

#include <vector>

#include "common/link_list.h"

namespace zkw {
namespace {

// A node that records its destruction order.
struct Tracked : TItemNode {
  Tracked(int id, std::vector<int>* log) : Id(id), Log(log) {}
  ~Tracked() override {
    if (Log) Log->push_back(Id);
  }
  int Id;
  std::vector<int>* Log;
};

std::vector<int> Ids(const TLinkList& list) {
  std::vector<int> ids;
  for (TItemNode* n = list.Head(); n; n = n->NextItem) ids.push_back(static_cast<Tracked*>(n)->Id);
  return ids;
}

// Checks the list's invariants: count, end links, and both directions agree.
void ExpectConsistent(const TLinkList& list) {
  int forward = 0;
  TItemNode* last = nullptr;
  for (TItemNode* n = list.Head(); n; n = n->NextItem) {
    EXPECT_EQ(n->PrevItem, last);
    last = n;
    ++forward;
  }
  EXPECT_EQ(forward, list.Count());
  EXPECT_EQ(last, list.Tail());
  EXPECT_EQ(list.Count() == 0, list.Head() == nullptr && list.Tail() == nullptr);
}

TEST(LinkList, EmptyListPopsAndIndexesGiveNull) {
  TLinkList list;
  EXPECT_EQ(list.PopFirst(), nullptr);
  EXPECT_EQ(list.PopLast(), nullptr);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Get(0), nullptr);
  EXPECT_FALSE(list.MoveUp(nullptr));
  EXPECT_FALSE(list.MoveDown(nullptr));
  ExpectConsistent(list);
}

TEST(LinkList, AppendPrependInsertKeepOrder) {
  TLinkList list;
  auto* a = new Tracked(1, nullptr);
  auto* b = new Tracked(2, nullptr);
  auto* c = new Tracked(3, nullptr);
  auto* d = new Tracked(4, nullptr);
  list.Append(b);
  list.Prepend(a);
  list.Append(d);
  EXPECT_TRUE(list.Insert(d, c));
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 2, 3, 4}));
  auto* x = new Tracked(0, nullptr);
  EXPECT_TRUE(list.Insert(a, x));  // before the head: becomes the head
  EXPECT_EQ(list.Head(), x);
  auto* y = new Tracked(9, nullptr);
  EXPECT_FALSE(list.Insert(nullptr, y));
  EXPECT_EQ(list.Count(), 5);
  delete y;
  EXPECT_EQ(list.Get(5), nullptr);
  EXPECT_EQ(list.Get(-1), nullptr);
  EXPECT_EQ(list.Get(2), b);
  EXPECT_EQ(list.IndexOf(d), 4);
  ExpectConsistent(list);
}

TEST(LinkList, DeleteUnlinksButLeavesNodeLinks) {
  TLinkList list;
  Tracked* nodes[3];
  for (int i = 0; i < 3; ++i) list.Append(nodes[i] = new Tracked(i, nullptr));
  TItemNode* middle = list.Delete(nodes[1]);
  EXPECT_EQ(middle, nodes[1]);
  EXPECT_EQ(middle->PrevItem, nodes[0]);  // left as they were
  EXPECT_EQ(middle->NextItem, nodes[2]);
  EXPECT_EQ(Ids(list), (std::vector<int>{0, 2}));
  ExpectConsistent(list);
  delete middle;
  EXPECT_EQ(list.DeleteAt(0), nodes[0]);
  EXPECT_EQ(list.DeleteAt(5), nullptr);
  delete nodes[0];
  EXPECT_EQ(list.PopLast(), nodes[2]);
  delete nodes[2];
  ExpectConsistent(list);
}

TEST(LinkList, MovesAndTheirRefusals) {
  TLinkList list;
  Tracked* n[4];
  for (int i = 0; i < 4; ++i) list.Append(n[i] = new Tracked(i, nullptr));
  EXPECT_FALSE(list.MoveUp(n[0]));
  EXPECT_FALSE(list.MoveDown(n[3]));
  EXPECT_TRUE(list.MoveUp(n[1]));
  EXPECT_EQ(list.Head(), n[1]);
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 0, 2, 3}));
  EXPECT_TRUE(list.MoveDown(n[2]));
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 0, 3, 2}));
  list.MoveToHead(n[2]);
  list.MoveToTail(n[1]);
  EXPECT_EQ(Ids(list), (std::vector<int>{2, 0, 3, 1}));
  ExpectConsistent(list);

  TLinkList single;
  auto* only = new Tracked(7, nullptr);
  single.Append(only);
  EXPECT_FALSE(single.MoveUp(only));
  EXPECT_FALSE(single.MoveDown(only));
}

TEST(LinkList, FreeAllDestroysFromTailToHead) {
  std::vector<int> log;
  {
    TLinkList list;
    for (int i = 1; i <= 3; ++i) list.Append(new Tracked(i, &log));
    list.FreeAll();
    EXPECT_EQ(log, (std::vector<int>{3, 2, 1}));
    ExpectConsistent(list);
    list.Append(new Tracked(4, &log));
    list.Append(new Tracked(5, &log));
    list.FreeAt(0);
    EXPECT_EQ(log.back(), 4);
  }
  EXPECT_EQ(log.back(), 5);  // the list's destructor frees what is left
}

TEST(LinkList, IndexOfNodeOfAnotherListIsMinusOne) {
  TLinkList a, b;
  auto* inA = new Tracked(1, nullptr);
  auto* inB = new Tracked(2, nullptr);
  a.Append(inA);
  b.Append(inB);
  EXPECT_EQ(a.IndexOf(inB), -1);
  EXPECT_EQ(a.IndexOf(nullptr), -1);
  EXPECT_EQ(b.IndexOf(inB), 0);
}

}  // namespace
}  // namespace zkw
