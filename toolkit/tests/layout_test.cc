// Layout files: parsing, the attribute tables, and where controls land.
#include <gtest/gtest.h>

#include "skin_fixture.h"
#include "toolkit/image_description.h"
#include "toolkit/ui.h"

namespace {

using toolkit::testing::Bytes;
using toolkit::testing::InstallSkin;
using toolkit::testing::ToBytes;
using ui::RECT;

class LayoutTest : public ::testing::Test {
 protected:
  ui::CControlUI* Build(const std::string& xml, ui::SIZE client = {400, 300}) {
    InstallSkin({{"w.xml", ToBytes(xml)}});
    ui::CDialogBuilder builder;
    ui::CControlUI* root = builder.Create(u"w.xml", &pm_);
    EXPECT_NE(root, nullptr) << builder.GetLastError();
    pm_.AttachDialog(root);
    pm_.SetClientSize(client);
    pm_.Render();
    return root;
  }
  RECT Pos(const char16_t* name) {
    ui::CControlUI* c = pm_.FindControl(name);
    EXPECT_NE(c, nullptr) << ui::CDuiString(name).ToUtf8();
    return c ? c->GetPos() : RECT{};
  }
  ui::CPaintManagerUI pm_;
};

TEST_F(LayoutTest, WindowAttributesFontsAndDefaultsReachTheManager) {
  Build(R"(<?xml version="1.0" encoding="utf-8"?>
    <Window size="800,600" caption="0,0,0,80" roundcorner="8,8" shadow="true">
      <Font id="0" name="Inter" size="14" default="true"/>
      <Font id="2" name="Inter Display" size="16" bold="true"/>
      <Default name="Button" value="textcolor='#FF112233' width='77'"/>
      <VerticalLayout><Button name="b"/><Button name="c" width="10"/></VerticalLayout>
    </Window>)");
  EXPECT_EQ(pm_.GetInitSize(), (ui::SIZE{800, 600}));
  EXPECT_EQ(pm_.GetCaptionRect(), (RECT{0, 0, 0, 80}));
  EXPECT_EQ(pm_.GetRoundCorner(), (ui::SIZE{8, 8}));
  EXPECT_EQ(pm_.GetFont(2).family, "Inter Display");
  EXPECT_TRUE(pm_.GetFont(2).bold);
  EXPECT_EQ(pm_.GetFont(9).family, "Inter");  // unknown index: the default font
  auto* b = pm_.FindControl<ui::CButtonUI>(u"b");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->GetTextColor(), 0xFF112233u);
  EXPECT_EQ(b->GetFixedWidth(), 77);
  EXPECT_EQ(pm_.FindControl(u"c")->GetFixedWidth(), 10);  // own attribute wins
}

TEST_F(LayoutTest, VerticalAndHorizontalLayoutsShareFreeSpace) {
  Build(R"(<Window size="400,300"><VerticalLayout inset="10,10,10,10" childpadding="5">
      <Control name="top" height="40"/>
      <HorizontalLayout name="row" childpadding="4">
        <Control name="left" width="100" padding="3,2,0,0"/>
        <Control name="mid"/>
        <Control name="right" width="50" height="20"/>
      </HorizontalLayout>
      <Control name="fill"/>
      <Control name="bottom" height="30" padding="0,6,20,0"/>
    </VerticalLayout></Window>)");
  // 280 high inside the inset: 40 + 30 + 6 fixed, 3 gaps of 5 -> 189 left for two stretchers.
  EXPECT_EQ(Pos(u"top"), (RECT{10, 10, 390, 50}));
  EXPECT_EQ(Pos(u"row"), (RECT{10, 55, 390, 149}));
  EXPECT_EQ(Pos(u"fill"), (RECT{10, 154, 390, 249}));
  EXPECT_EQ(Pos(u"bottom"), (RECT{10, 260, 370, 290}));
  EXPECT_EQ(Pos(u"left"), (RECT{13, 57, 113, 149}));
  EXPECT_EQ(Pos(u"mid"), (RECT{117, 55, 336, 149}));
  EXPECT_EQ(Pos(u"right"), (RECT{340, 55, 390, 75}));
}

TEST_F(LayoutTest, FloatingChildrenArePlacedAgainstTheParentCorner) {
  Build(R"(<Window size="400,300"><VerticalLayout inset="20,20,0,0">
      <Control name="first" height="50"/>
      <Container name="box" height="100">
        <Button name="f" float="true" pos="10,5,60,25"/>
        <Control name="over" float="true" pos="0,0,400,100"/>
      </Container>
      <Control name="hidden" visible="false" height="40"/>
      <Control name="after" height="10"/>
    </VerticalLayout></Window>)");
  EXPECT_EQ(Pos(u"box"), (RECT{20, 70, 400, 170}));
  EXPECT_EQ(Pos(u"f"), (RECT{30, 75, 80, 95}));
  EXPECT_EQ(Pos(u"after"), (RECT{20, 170, 400, 180}));  // a hidden control takes no room
}

TEST_F(LayoutTest, TabLayoutShowsOnlyTheSelectedPage) {
  Build(R"(<Window size="200,100"><TabLayout name="tabs" selectedid="1">
      <Control name="p0"/><Control name="p1"/><Control name="p2"/>
    </TabLayout></Window>)");
  auto* tabs = pm_.FindControl<ui::CTabLayoutUI>(u"tabs");
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->GetCurSel(), 1);
  EXPECT_FALSE(pm_.FindControl(u"p0")->IsVisibleOnScreen());
  EXPECT_TRUE(pm_.FindControl(u"p1")->IsVisibleOnScreen());
  EXPECT_EQ(pm_.FindControl(ui::POINT{50, 50}), pm_.FindControl(u"p1"));
  EXPECT_TRUE(tabs->SelectItem(2));
  EXPECT_EQ(pm_.FindControl(ui::POINT{50, 50}), pm_.FindControl(u"p2"));
  EXPECT_FALSE(tabs->SelectItem(3));
  EXPECT_EQ(tabs->GetCurSel(), 2);
}

TEST_F(LayoutTest, IncludesInsertTheControlsOfAnotherFile) {
  InstallSkin({
      {"main.xml", ToBytes(R"(<Window size="200,100"><TabLayout name="tabs">
          <Include source="pages/a.xml"/><Include source="pages/b.xml"/>
          <Include source="missing.xml"/></TabLayout></Window>)")},
      {"pages/a.xml", ToBytes(R"(<Window><VerticalLayout name="page_a">
          <Label name="la" text="A"/></VerticalLayout></Window>)")},
      {"pages/b.xml", ToBytes(R"(<HorizontalLayout name="page_b"/>)")},
  });
  ui::CDialogBuilder builder;
  ui::CControlUI* root = builder.Create(u"main.xml", &pm_);
  ASSERT_NE(root, nullptr);
  pm_.AttachDialog(root);
  auto* tabs = pm_.FindControl<ui::CTabLayoutUI>(u"tabs");
  ASSERT_EQ(tabs->GetCount(), 2);
  EXPECT_EQ(tabs->GetItemAt(0)->GetName(), u"page_a");
  EXPECT_EQ(tabs->GetItemAt(1)->GetName(), u"page_b");
  EXPECT_EQ(pm_.FindControl(u"la")->GetText(), u"A");
}

TEST_F(LayoutTest, BrokenInputFailsSoftly) {
  ui::CDialogBuilder builder;
  InstallSkin({{"bad.xml", ToBytes("<Window><VerticalLayout>")},
               {"odd.xml", ToBytes(R"(<Window><Button name="b" wobble="3" width="x"
                   bkcolor="#zz" pos="1,2"/><Gizmo/></Window>)")}});
  EXPECT_EQ(builder.Create(u"bad.xml", &pm_), nullptr);
  EXPECT_FALSE(builder.GetLastError().empty());
  EXPECT_EQ(builder.Create(u"nope.xml", &pm_), nullptr);
  ui::CControlUI* odd = builder.Create(u"odd.xml");
  ASSERT_NE(odd, nullptr);  // unknown attributes and elements are skipped
  EXPECT_EQ(odd->GetFixedWidth(), 0);
  EXPECT_EQ(odd->GetBkColor(), 0u);
  delete odd;
}

struct ImageCase {
  const char* text;
  const char* file;
  RECT corner;
  bool hasSource;
  RECT source;
  bool hasDest;
  RECT dest;
  int fade;
};

TEST(ImageDescriptionTest, ParsesEveryForm) {
  const ImageCase cases[] = {
      {"x.png", "x.png", {}, false, {}, false, {}, 255},
      {"  dir/x.png ", "dir/x.png", {}, false, {}, false, {}, 255},
      {"file='btn.png' corner='20,20,20,20'",
       "btn.png",
       {20, 20, 20, 20},
       false,
       {},
       false,
       {},
       255},
      {"file = 'btnSave_black.png' corner = '20,20,20,20'",
       "btnSave_black.png",
       {20, 20, 20, 20},
       false,
       {},
       false,
       {},
       255},
      {"file='a.png' source='0,0,10,20' dest='5,5,15,25' fade='128'",
       "a.png",
       {},
       true,
       {0, 0, 10, 20},
       true,
       {5, 5, 15, 25},
       128},
      {"file=\"q.png\" fade='999'", "q.png", {}, false, {}, false, {}, 255},
      {"", "", {}, false, {}, false, {}, 255},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ui::ImageDescription d = ui::ParseImageDescription(c.text);
    EXPECT_EQ(d.file, c.file);
    EXPECT_EQ(d.corner, c.corner);
    EXPECT_EQ(d.hasSource, c.hasSource);
    if (c.hasSource) {
      EXPECT_EQ(d.source, c.source);
    }
    EXPECT_EQ(d.hasDest, c.hasDest);
    if (c.hasDest) {
      EXPECT_EQ(d.dest, c.dest);
    }
    EXPECT_EQ(d.fade, c.fade);
  }
}

TEST(AttributeParsingTest, ColoursAndLists) {
  EXPECT_EQ(ui::attr::Color("#FF002F2F"), 0xFF002F2Fu);
  EXPECT_EQ(ui::attr::Color("0x26FFFFFF"), 0x26FFFFFFu);
  EXPECT_EQ(ui::attr::Color("#123456"), 0xFF123456u);
  EXPECT_EQ(ui::attr::Color("red"), 0u);
  auto list = ui::ParseAttributeList("a='1' b=\"two words\"  c = '3'");
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[1].second, "two words");
  EXPECT_EQ(list[2].first, "c");
}

}  // namespace

namespace {

TEST(DuiStringTest, FormatsLikePrintfWithCheckedArguments) {
  struct Case {
    std::u16string expect;
    std::u16string got;
  };
  ui::CDuiString s;
  const Case cases[] = {
      {u"New version 1.2.0 found", (s.Format(u"New version %s found", "1.2.0"), s.str())},
      {u"file='fp3.png'", (s.Format(u"file='fp%d.png'", 3), s.str())},
      {u"63%", (s.Format(u"%d%%", 63), s.str())},
      {u"[007|-07|  x|ff]", (s.Format(u"[%03d|%03d|%3s|%x]", 7, -7, u"x", 255), s.str())},
      {u"中文 %s", (s.Format(u"%s %s", ui::CDuiString("中文")), s.str())},  // no argument left
      {u"%q 5", (s.Format(u"%q %d", 5), s.str())},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expect);
  EXPECT_EQ(ui::CDuiString(u"a\U0001F600").ToUtf8(), "a\xF0\x9F\x98\x80");
  EXPECT_EQ(ui::CDuiString("\xF0\x9F\x98\x80").GetLength(), 2);
  EXPECT_EQ(ui::CDuiString("bad \xC3").str(), u"bad \uFFFD");
  // A sequence cut short keeps the text after it and stands as one U+FFFD.
  EXPECT_EQ(ui::CDuiString(std::string("\xE2") + "A").str(), u"\uFFFDA");
  EXPECT_EQ(ui::CDuiString(std::string("\xE2\x82") + "AB").str(), u"\uFFFDAB");
}

}  // namespace

namespace {

TEST(NameLookupTest, FollowsRenamesAndTreeChanges) {
  toolkit::testing::InstallSkin({{"n.xml", toolkit::testing::ToBytes(R"(<Window><VerticalLayout
      name="root"><Label name="dup" text="first"/><HorizontalLayout name="box"><Label name="dup"
      text="second"/></HorizontalLayout></VerticalLayout></Window>)")}});
  ui::CPaintManagerUI pm;
  ui::CDialogBuilder builder;
  pm.AttachDialog(builder.Create(u"n.xml", &pm));
  EXPECT_EQ(pm.FindControl(u"dup")->GetText(), u"first");  // the first in tree order
  auto* root = pm.FindControl<ui::CVerticalLayoutUI>(u"root");
  root->RemoveAt(0);
  EXPECT_EQ(pm.FindControl(u"dup")->GetText(), u"second");
  pm.FindControl(u"dup")->SetName(u"renamed");
  EXPECT_EQ(pm.FindControl(u"dup"), nullptr);
  EXPECT_NE(pm.FindControl(u"renamed"), nullptr);
  auto* fresh = new ui::CLabelUI;
  fresh->SetName(u"fresh");
  static_cast<ui::CContainerUI*>(pm.FindControl(u"box"))->Add(fresh);
  EXPECT_EQ(pm.FindControl(u"fresh"), fresh);
  static_cast<ui::CContainerUI*>(pm.FindControl(u"box"))->RemoveAll();
  EXPECT_EQ(pm.FindControl(u"fresh"), nullptr);
  EXPECT_EQ(pm.FindControl(u"renamed"), nullptr);
}

}  // namespace
