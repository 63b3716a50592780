#include "ui/window_layout.h"

namespace itemsmith {
namespace {

using K = ControlKind;
using R = InputRule;

ControlDescription Plain(ControlKind kind, std::string name, int left, int top, int width,
                         int height, std::string text) {
  ControlDescription d;
  d.kind = kind;
  d.name = std::move(name);
  d.left = left;
  d.top = top;
  d.width = width;
  d.height = height;
  d.text = std::move(text);
  return d;
}

ControlDescription Edit(ControlKind kind, std::string name, int left, int top, int width,
                        int height, std::string text, InputRule rule, bool centred) {
  ControlDescription d = Plain(kind, std::move(name), left, top, width, height, std::move(text));
  d.rule = rule;
  d.centred = centred;
  return d;
}

ControlDescription Check(std::string name, int left, int top, int width, int height,
                         std::string caption, bool checked) {
  ControlDescription d =
      Plain(K::kCheckBox, std::move(name), left, top, width, height, std::move(caption));
  d.checked = checked;
  return d;
}

ControlDescription List(ControlKind kind, std::string name, std::string parent, int left, int top,
                        int width, int height, std::vector<std::string> items) {
  ControlDescription d = Plain(kind, std::move(name), left, top, width, height, "");
  d.parent = std::move(parent);
  d.items = std::move(items);
  return d;
}

// One row per control, in the table's order: the first page from top to bottom, the
// check lists after their group boxes.
std::vector<ControlDescription> BuildLayout() {
  const std::vector<std::string> mainTypes = {
      "Armor|防具", "Weapon|武器",           "Card|卡片",  "Shadowgear|影子装备", "Healing|恢复",
      "Etc|其他",   "Delayconsume|延迟消耗", "Usable|可用"};
  const std::vector<std::string> genders = {"不限", "男", "女"};
  const std::vector<std::string> flags = {"可以挂店", "不会损坏", "箱子",        "唯一",
                                          "绑定",     "掉落通知", "使用不被消耗"};
  const std::vector<std::string> trade = {"GM无视交易限制", "丢弃",       "交易",
                                          "交易玩家",       "出售",       "存手推车",
                                          "存仓库",         "存工会仓库", "邮寄"};
  const std::vector<std::string> jobs = {
      "全职业", "初心者", "超级初心者", "剑士", "骑士", "十字军", "商人", "炼金",
      "铁匠",   "小偷",   "刺客",       "盗贼", "服侍", "牧师",   "武僧", "法师",
      "贤者",   "巫师",   "弓箭手",     "猎人", "诗舞", "枪手",   "反叛", "悟灵士"};
  const std::string script =
      "    Script: |\r\n      bonus bMaxHP,1000;\r\n      bonus bMaxSP,1000;\r\n";
  const std::string description = "简朴美丽的发冠.\r\nMaxHP +1000\r\nMaxSP +1000";

  return {
      Check("选择框1", 1056, 24, 56, 32, "置顶", false),
      Plain(K::kTransparentLabel, "透明标签1", 45, 43, 72, 24, "item_db.yml"),
      Edit(K::kEdit, "编辑框FWDITEM", 136, 40, 656, 32, "", R::kText, false),
      Plain(K::kButton, "按钮2", 808, 40, 120, 32, "插入信息至文件尾部"),
      Check("选择框ID自增", 944, 40, 64, 32, "ID自增+", false),
      Edit(K::kBorderlessEdit, "编辑框ID自增", 1005, 43, 20, 24, "1", R::kInteger, true),
      Plain(K::kTransparentLabel, "透明标签2", 16, 80, 104, 24, "itemInfo_Sak.lub"),
      Edit(K::kEdit, "编辑框KHDITEM", 136, 80, 656, 32, "", R::kText, false),
      Plain(K::kButton, "按钮1", 809, 82, 64, 32, "打开文件"),
      Plain(K::kButton, "按钮3", 880, 82, 80, 32, "载入上次配置"),
      Plain(K::kButton, "按钮4", 976, 82, 80, 32, "保存配置"),
      Plain(K::kLabel, "标签1", 24, 136, 48, 24, "道具ID："),
      Edit(K::kEdit, "编辑框道具ID", 73, 136, 79, 24, "2000001", R::kInteger, true),
      Plain(K::kLabel, "标签2", 170, 136, 56, 24, "模型文件："),
      // In the code page these are the bytes BB E7 B0 FA.
      Edit(K::kEdit, "编辑框模型名称", 228, 136, 96, 24, "荤苞", R::kText, true),
      Plain(K::kLabel, "标签3", 341, 137, 36, 24, "View："),
      Edit(K::kEdit, "编辑框View", 377, 137, 67, 24, "0", R::kText, true),
      Plain(K::kLabel, "标签4", 464, 136, 36, 24, "重量："),
      Edit(K::kEdit, "编辑框重量", 500, 136, 76, 24, "0", R::kInteger, true),
      Plain(K::kLabel, "标签11", 592, 136, 80, 24, "最低使用等级："),
      Edit(K::kEdit, "编辑框装备最低等级", 675, 136, 60, 24, "0", R::kByte, true),
      Plain(K::kLabel, "标签12", 752, 136, 80, 24, "最高使用等级："),
      Edit(K::kEdit, "编辑框装备最高等级", 832, 136, 60, 24, "0", R::kInteger, true),
      Plain(K::kLabel, "标签15", 915, 136, 64, 24, "攻击范围："),
      Edit(K::kEdit, "编辑框攻击范围", 980, 136, 55, 24, "0", R::kInteger, true),
      Plain(K::kLabel, "标签5", 24, 176, 48, 24, "主类型："),
      List(K::kDropDown, "组合框主类型", "", 72, 178, 168, 20, mainTypes),
      Plain(K::kLabel, "标签6", 263, 176, 48, 24, "子类型："),
      Plain(K::kDropDown, "组合框子类型", 311, 178, 112, 20, ""),
      Plain(K::kLabel, "标签7", 448, 176, 48, 24, "位置："),
      Plain(K::kDropDown, "组合框装备位置", 496, 178, 168, 20, ""),
      Plain(K::kLabel, "标签14", 680, 176, 64, 24, "卡槽数量："),
      Edit(K::kEdit, "编辑框卡槽数量", 745, 176, 55, 24, "1", R::kInteger, true),
      Plain(K::kLabel, "标签16", 816, 176, 88, 24, "使用间隔(毫秒)："),
      Edit(K::kEdit, "编辑框使用间隔", 913, 176, 55, 24, "100", R::kInteger, true),
      Plain(K::kLabel, "标签17", 24, 216, 56, 24, "道具名称："),
      Edit(K::kEdit, "编辑框道具名称", 82, 216, 134, 24, "测试道具", R::kText, true),
      Plain(K::kLabel, "标签9", 240, 216, 56, 24, "武器级别："),
      Edit(K::kEdit, "编辑框武器级别", 301, 216, 55, 24, "1", R::kInteger, true),
      Plain(K::kLabel, "标签10", 382, 216, 58, 24, "护甲级别："),
      Edit(K::kEdit, "编辑框护甲级别", 443, 216, 57, 24, "1", R::kInteger, true),
      Plain(K::kLabel, "标签8", 528, 216, 56, 24, "购买价格："),
      Edit(K::kEdit, "编辑框购买价格", 589, 216, 55, 24, "10000", R::kInteger, true),
      Plain(K::kLabel, "标签13", 664, 216, 56, 24, "出售价格："),
      Edit(K::kEdit, "编辑框出售价格", 723, 216, 57, 24, "0", R::kInteger, true),
      Check("选择框精炼", 808, 217, 96, 24, "可以精炼", true),
      Plain(K::kLabel, "标签18", 912, 216, 40, 24, "性别："),
      List(K::kDropDown, "组合框性别", "", 959, 217, 104, 20, genders),
      Plain(K::kLabel, "标签19", 16, 256, 80, 32, "ID+模型+名称"),
      Edit(K::kEdit, "编辑框1", 96, 256, 528, 32, "White_Rabbit--1656--[时装]小白兔", R::kText,
           false),
      Plain(K::kLabel, "标签20", 662, 256, 64, 32, "正则表达式"),
      Edit(K::kEdit, "编辑框2", 736, 256, 256, 32, "^(.*?)--(.*?)--(.*?)$", R::kText, false),
      Plain(K::kButton, "按钮5", 992, 256, 80, 32, "提取"),
      Plain(K::kTransparentLabel, "透明标签3", 400, 288, 112, 24, "使用脚本"),
      Plain(K::kGroupBox, "分组框3", 200, 304, 176, 360, "可用职业"),
      List(K::kCheckList, "选择列表框可用职业", "分组框3", 0, 20, 175, 340, jobs),
      Plain(K::kGroupBox, "分组框1", 8, 312, 176, 125, "标志"),
      List(K::kCheckList, "选择列表框标志", "分组框1", 0, 20, 175, 104, flags),
      Edit(K::kMultiLineEdit, "编辑框属性脚本", 400, 312, 696, 168, script, R::kText, false),
      Plain(K::kTransparentLabel, "透明标签4", 409, 488, 112, 24, "说明信息"),
      Edit(K::kMultiLineEdit, "编辑框说明信息", 400, 512, 696, 168, description, R::kText, false),
      Plain(K::kGroupBox, "分组框2", 8, 519, 176, 150, "交易限制"),
      List(K::kCheckList, "选择列表框交易限制", "分组框2", 0, 19, 175, 130, trade),
  };
}

}  // namespace

const std::vector<ControlDescription>& WindowLayout() {
  static const std::vector<ControlDescription> layout = BuildLayout();
  return layout;
}

const ControlDescription* FindControlDescription(std::string_view name) {
  for (const ControlDescription& control : WindowLayout()) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

}  // namespace itemsmith
