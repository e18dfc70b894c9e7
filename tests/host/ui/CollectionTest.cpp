#include <gtest/gtest.h>

#include "TestComponents.h"

namespace {

TEST(CollectionTest, ItemsAreMadeByTheItemClassAndKeepIndexAndId)
{
    TTestItems items(nullptr);
    auto* a = static_cast<TTestItem*>(items.Add());
    auto* b = static_cast<TTestItem*>(items.Add());
    auto* c = static_cast<TTestItem*>(items.Insert(0));
    EXPECT_EQ(a->ClassName(), "TTestItem");
    EXPECT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Items(0), c);
    EXPECT_EQ(a->Index(), 1);
    EXPECT_EQ(b->Index(), 2);
    EXPECT_EQ(c->ID(), 2);

    b->SetIndex(0);
    EXPECT_EQ(items.Items(0), b);
    EXPECT_EQ(b->ID(), 1) << "the ID stays with the item";
    EXPECT_THROW(b->SetIndex(3), EListError);
    EXPECT_THROW(items.Insert(4), EListError);
    EXPECT_EQ(items.Count(), 3);

    items.Delete(0);
    EXPECT_EQ(items.Count(), 2);
    delete a; // an item leaves its collection when destroyed
    EXPECT_EQ(items.Count(), 1);
    EXPECT_EQ(items.Items(0), c);
    EXPECT_THROW(items.Items(1), EListError);
}

TEST(CollectionTest, UpdateReportsChangesOnceItemsAreComplete)
{
    TTestItems items(nullptr);
    auto* a = items.Add();
    // The new item is reported only once its own constructor has run.
    EXPECT_EQ(items.Updates, std::vector<std::string> { "all new" });
    static_cast<TTestItem*>(a)->SetCaption("A");
    static_cast<TTestItem*>(a)->SetTop(5);
    EXPECT_EQ(items.Updates.back(), "item A");
    items.Updates.clear();

    items.BeginUpdate();
    items.Add();
    items.Add();
    static_cast<TTestItem*>(a)->SetTop(6);
    items.Delete(2);
    EXPECT_TRUE(items.Updates.empty());
    items.EndUpdate();
    EXPECT_EQ(items.Updates, std::vector<std::string> { "all A new" });
}

TEST(CollectionTest, AssignCopiesTheItemsAndOwnerIsKept)
{
    TTestForm form;
    TTestItems source(&form);
    static_cast<TTestItem*>(source.Add())->SetCaption("one");
    static_cast<TTestItem*>(source.Add())->SetCaption("two");
    TTestItems copy(nullptr);
    copy.Add();
    copy.Assign(source);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Items(1)->Caption(), "two");
    EXPECT_EQ(source.GetOwner(), &form);
    EXPECT_EQ(source.Items(0)->GetOwner(), &source);

    TStringList strings;
    EXPECT_THROW(copy.Assign(strings), EConvertError);
}

TEST(CollectionTest, OnlyItemClassesMakeCollections)
{
    EXPECT_THROW(TCollection(nullptr, TTestPanel::StaticClassInfo()), EConvertError);
}

TEST(StringsTest, TextJoinsAndSplitsLines)
{
    TStringList list;
    list.Add("a");
    list.Add("b");
    EXPECT_EQ(list.Text(), "a\nb\n");
    list.SetText("one\r\ntwo\nthree\rfour");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Strings(3), "four");
    list.SetText("x\n\ny\n");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Strings(1), "");
    EXPECT_EQ(list.IndexOf("Y"), 2);
    EXPECT_EQ(list.IndexOf("z"), -1);
    EXPECT_THROW(list.Strings(3), EListError);
    EXPECT_THROW(list.Insert(5, "q"), EListError);
}

TEST(StringsTest, ChangesAreAnnouncedOncePerUpdate)
{
    TStringList list;
    int changing = 0;
    int changed = 0;
    list.OnChanging = [&](TObject*) { ++changing; };
    list.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++changed;
    };
    list.Add("a");
    list.Put(0, "b");
    list.Delete(0);
    EXPECT_EQ(changed, 3);
    EXPECT_EQ(changing, 3);

    list.SetText("1\n2\n3\n");
    EXPECT_EQ(changed, 4);
    TStringList other;
    other.Add("x");
    list.Assign(other);
    EXPECT_EQ(changed, 5);
    EXPECT_EQ(list.Text(), "x\n");
    list.Clear();
    list.Clear(); // already empty: nothing to announce
    EXPECT_EQ(changed, 6);
}

TEST(PictureTest, AssignCopiesTheBitmap)
{
    TPicture a;
    EXPECT_EQ(a.Graphic(), nullptr);
    int changes = 0;
    a.OnChange = [&](TObject*) { ++changes; };
    TBitmap bitmap(3, 2);
    bitmap.SetPixel(1, 1, clRed);
    a.SetBitmap(bitmap);
    EXPECT_EQ(a.Width(), 3);

    TPicture b;
    b.Assign(a);
    ASSERT_NE(b.Graphic(), nullptr);
    EXPECT_NE(b.Graphic(), a.Graphic());
    EXPECT_EQ(b.Graphic()->GetPixel(1, 1), clRed);
    a.Bitmap().SetPixel(1, 1, clBlue);
    EXPECT_EQ(b.Graphic()->GetPixel(1, 1), clRed);

    a.Assign(TPicture());
    EXPECT_EQ(a.Graphic(), nullptr);
    EXPECT_EQ(changes, 2);
}

} // namespace
