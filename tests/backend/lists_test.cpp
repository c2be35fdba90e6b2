// The circular printer and user lists.
#include "lists.h"

#include <gtest/gtest.h>

#include "fatal_exit.h"

namespace {

std::vector<std::string> namesAfterHead(PList* head) {
  std::vector<std::string> out;
  for (PList* r = head->next; r != head; r = r->next) out.push_back(r->name);
  return out;
}

TEST(Lists, AppendAtTailKeepsBothDirectionsLinked) {
  PList head("first");
  addPList(&head, new PList("b", 1));
  addPList(&head, new PList("c", 2));
  EXPECT_EQ(countPList(&head), 3);
  EXPECT_EQ(namesAfterHead(&head), (std::vector<std::string>{"b", "c"}));
  EXPECT_EQ(head.prev->name, "c");
  EXPECT_EQ(head.prev->prev->name, "b");
  EXPECT_EQ(head.prev->prev->prev, &head);
  freePList(&head);
}

TEST(Lists, CountOfEmptyListIsOneAndNullIsZero) {
  PList head;
  EXPECT_EQ(countPList(&head), 1);
  EXPECT_EQ(countPList(nullptr), 0);
  UList uhead;
  EXPECT_EQ(countUList(&uhead), 1);
}

TEST(Lists, AddToNullHeadIsFatalWithStatusOne) {
  PList rec("x");
  testing::internal::CaptureStderr();
  try {
    addPList(nullptr, &rec);
    ADD_FAILURE() << "no FatalExit";
  } catch (const FatalExit& e) {
    EXPECT_EQ(e.status(), 1);
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "addPList(NULL,...) Error!\n");
}

TEST(Lists, FreeKeepsPListHeadButClearsUListHead) {
  PList p("old head");
  addPList(&p, new PList("a"));
  freePList(&p);
  EXPECT_EQ(p.name, "old head");
  EXPECT_EQ(p.next, &p);
  EXPECT_EQ(p.prev, &p);

  UList u("root", 0, 3);
  addUList(&u, new UList("bob", 1));
  freeUList(&u);
  EXPECT_EQ(u.name, "");
  EXPECT_EQ(u.flags, 0);
  EXPECT_EQ(countUList(&u), 1);
}

TEST(Lists, SortMovesNamesOnlyAndPutsEmptyLast) {
  PList head;
  addPList(&head, new PList("b", 1, 10));
  addPList(&head, new PList("", 2, 20));
  addPList(&head, new PList("a", 3, 30));
  sortPList(&head, 3);
  EXPECT_EQ(namesAfterHead(&head), (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(head.next->position, 1);
  EXPECT_EQ(head.next->flags, 10);
  freePList(&head);
}

TEST(Lists, FindByNameStartsWithTheHead) {
  UList head("root");
  addUList(&head, new UList("alice", 1));
  EXPECT_EQ(findUListEntry(&head, "root"), &head);
  EXPECT_EQ(findUListEntry(&head, "alice")->position, 1);
  EXPECT_EQ(findUListEntry(&head, "ali"), nullptr);
  EXPECT_EQ(findPListEntry(nullptr, "x"), nullptr);
  freeUList(&head);
}

TEST(Lists, RemoveRecordNeedsPositionFlagsAndName) {
  PList head;
  addPList(&head, new PList("a", 1, 0));
  addPList(&head, new PList("b", 2, 0));
  removePListRecord(&head, PList("b", 9, 0), 1);  // wrong position: stays
  EXPECT_EQ(countPList(&head), 3);
  removePListRecord(&head, PList("b", 2, 0), 1);
  EXPECT_EQ(namesAfterHead(&head), (std::vector<std::string>{"a"}));
  freePList(&head);
}

TEST(Lists, NamedValueTable) {
  int a = 7, b = 9;
  const NamedValue table[] = {{"a", &a}, {"b", &b}, {nullptr, nullptr}};
  EXPECT_EQ(lookupNamedValue("b", table), 9);
  EXPECT_EQ(lookupNamedValue("c", table), 0);
}

TEST(Lists, OverlongNamesAreCutToTheFieldSize) {
  PList p(std::string(300, 'x'));
  EXPECT_EQ(p.name.size(), kPListNameSize - 1);
  UList u(std::string(100, 'y'));
  EXPECT_EQ(u.name.size(), kUListNameSize - 1);
}

}  // namespace
