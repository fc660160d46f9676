// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
//
// Renders every skinned control in each of its states, and every picture of the pixmap
// directory, to PNG files, plus two contact sheets ("controls.png", "pixmaps.png").
//
//   lumi-gallery [--pics <pixmap directory>] <output directory>
//
// Runs on any Qt platform; use QT_QPA_PLATFORM=offscreen without a display.

#include "ButtonCtrl.h"
#include "EditCtrl.h"
#include "ListViewItem.h"
#include "PopupMenu.h"
#include "QPEApplication.h"
#include "TImage.h"
#include "TableCtrl.h"
#include "TableItem.h"
#include "TextCtrl.h"
#include "WordListViewCtrl.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QPainter>
#include <QScrollBar>

#include <cstdio>
#include <cstdlib>

namespace {

struct Shot
{
    QString name;
    QImage image;
};

class Gallery
{
public:
    explicit Gallery(const QDir &out)
        : m_out(out)
    {
        m_host.setFixedSize(480, 272);
        m_host.setAutoFillBackground(true);
        QPalette pal = m_host.palette();
        pal.setColor(QPalette::Window, QColor(204, 228, 246));
        m_host.setPalette(pal);
        m_host.show();
        m_host.activateWindow();
        settle();
    }

    QWidget *host() { return &m_host; }

    void settle() const
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    void snap(const QString &name, QWidget *widget)
    {
        settle();
        add(name, widget->grab().toImage());
    }

    void add(const QString &name, const QImage &image)
    {
        image.save(m_out.filePath(name + QLatin1String(".png")));
        m_shots.append({name, image});
    }

    // Tiles the shots with their names under them.
    static QImage sheet(const QList<Shot> &shots, int sheetWidth, int scale)
    {
        const int pad = 8, caption = 14;
        QList<QPoint> places;
        int x = pad, y = pad, rowHeight = 0;
        for (const Shot &s : shots) {
            const int w = qMax(s.image.width() * scale, 60), h = s.image.height() * scale + caption;
            if (x + w > sheetWidth - pad && x > pad) {
                x = pad;
                y += rowHeight + pad;
                rowHeight = 0;
            }
            places.append(QPoint(x, y));
            x += w + pad;
            rowHeight = qMax(rowHeight, h);
        }
        QImage sheet(sheetWidth, y + rowHeight + pad, QImage::Format_RGB32);
        sheet.fill(QColor(250, 250, 250));
        QPainter p(&sheet);
        QFont f = p.font();
        f.setPixelSize(10);
        p.setFont(f);
        for (int i = 0; i < shots.size(); ++i) {
            const Shot &s = shots.at(i);
            const QRect target(places.at(i), s.image.size() * scale);
            p.fillRect(target, QBrush(QColor(220, 220, 220), Qt::Dense4Pattern));
            p.drawImage(target, s.image);
            p.setPen(QColor(60, 60, 60));
            p.drawText(QRect(target.left(), target.bottom() + 1, qMax(target.width(), 60) + pad, caption),
                       Qt::AlignLeft | Qt::AlignVCenter, s.name);
        }
        return sheet;
    }

    const QList<Shot> &shots() const { return m_shots; }

private:
    QDir m_out;
    QWidget m_host;
    QList<Shot> m_shots;
};

// Normal, focus, down, disabled and active looks of one button.
void buttonStates(Gallery &g, ButtonCtrl *b, const QString &name)
{
    b->show();
    g.snap(name + QLatin1String("-normal"), b);
    b->setFocus();
    g.snap(name + QLatin1String("-focus"), b);
    b->setDown(true);
    g.snap(name + QLatin1String("-down"), b);
    b->setDown(false);
    b->clearFocus();
    b->ButCtrl_SetActive(true);
    g.snap(name + QLatin1String("-active"), b);
    b->ButCtrl_SetActive(false);
    b->ButCtrl_SetEnable(0);
    g.snap(name + QLatin1String("-disabled"), b);
    b->hide();
}

void buttons(Gallery &g)
{
    auto *slice = new ButtonCtrl(g.host(), "Search");
    slice->ButCtrl_SetRange(10, 10, 53, 23);
    slice->ButCtrl_SetText(QStringLiteral("검색"));
    buttonStates(g, slice, QStringLiteral("button0-slice"));

    auto *drop = new ButtonCtrl(g.host(), "Dic button");
    drop->ButCtrl_SetRange(10, 10, 106, 23);
    drop->ButCtrl_SetOemType(BTN_OEM_DROPDOWN);
    drop->ButCtrl_SetText(QStringLiteral("최근검색순"));
    buttonStates(g, drop, QStringLiteral("button1-dropdown"));

    auto *image = new ButtonCtrl(g.host(), "Menu");
    image->ButCtrl_SetRange(10, 10, 39, 23);
    image->ButCtrl_SetOemType(BTN_OEM_IMAGE);
    image->ButCtrl_SetBkColor(Qt::black);
    image->ButCtrl_SetImageEx(QStringLiteral("k_menu.png"), QStringLiteral("p_menu.png"), QStringLiteral("p_menu.png"),
                              QStringLiteral("k_menu.png"));
    buttonStates(g, image, QStringLiteral("button2-image"));

    auto *close = new ButtonCtrl(g.host(), "Exit");
    close->ButCtrl_SetRange(10, 10, 20, 21);
    close->ButCtrl_SetOemType(BTN_OEM_IMAGE);
    close->ButCtrl_SetBkColor(QColor(221, 189, 128));
    close->ButCtrl_SetImageEx(QStringLiteral("close_bt_nor.png"), QStringLiteral("close_bt_press.png"),
                              QStringLiteral("close_bt_foc.png"), QStringLiteral("close_bt_dis.png"));
    buttonStates(g, close, QStringLiteral("button2-close"));

    auto *flat = new ButtonCtrl(g.host(), "GuideBox");
    flat->ButCtrl_SetRange(10, 10, 103, 23);
    flat->ButCtrl_SetOemType(BTN_OEM_FLAT);
    flat->ButCtrl_SetBkColor(QColor(221, 189, 128));
    flat->ButCtrl_SetBkImage(QStringLiteral("MenuBar_Kor.png"));
    flat->ButCtrl_SetImageEx(QStringLiteral("k_dic.png"), QStringLiteral("k_dic.png"), QStringLiteral("k_dic.png"),
                             QStringLiteral("k_dic.png"));
    flat->ButCtrl_SetText(QStringLiteral("국어사전"));
    buttonStates(g, flat, QStringLiteral("button3-flat"));

    auto *link = new ButtonCtrl(g.host());
    link->ButCtrl_SetRange(10, 10, 60, 20);
    link->ButCtrl_SetOemType(BTN_OEM_FLAT);
    link->ButCtrl_SetShowArrow(BTN_ARROW_NONE);
    link->ButCtrl_SetTransparent(1);
    link->ButCtrl_SetBkColor(QColor(144, 181, 198));
    link->ButCtrl_SetImageEx(QStringLiteral("HyperLink.png"), QStringLiteral("HyperLink.png"),
                             QStringLiteral("HyperLink.png"), QStringLiteral("HyperLink.png"));
    link->ButCtrl_SetText(QStringLiteral("3"));
    buttonStates(g, link, QStringLiteral("button3-link"));

    auto *missing = new ButtonCtrl(g.host());
    missing->ButCtrl_SetRange(10, 10, 60, 23);
    missing->ButCtrl_SetOemType(BTN_OEM_IMAGE);
    missing->ButCtrl_SetImageEx(QStringLiteral("no-such.png"), QString(), QString(), QString());
    missing->ButCtrl_SetFontColor(Qt::black);
    missing->ButCtrl_SetText(QStringLiteral("missing"));
    buttonStates(g, missing, QStringLiteral("button2-missing-picture"));
}

void edits(Gallery &g)
{
    auto *edit = new EditCtrl(g.host(), "SearchEdit");
    edit->EditCtrl_SetRange(10, 10, 392, 23);
    edit->EditCtrl_SetGuideText(QStringLiteral("단어를 입력하세요"));
    edit->show();
    g.snap(QStringLiteral("edit-guide"), edit);
    edit->setFocus();
    g.snap(QStringLiteral("edit-guide-focus"), edit);
    edit->setText(QStringLiteral("dictionary"));
    g.snap(QStringLiteral("edit-text-focus"), edit);
    edit->setEnabled(false);
    g.snap(QStringLiteral("edit-text-disabled"), edit);
    edit->hide();
}

void fillRows(ListViewCtrl *list, const QStringList &words)
{
    for (const QString &w : words) {
        auto *item = new ListViewItem(list, w);
        list->ListViewCtrl_AddItem(item, 0);
    }
}

void lists(Gallery &g)
{
    const QStringList words = {QStringLiteral("abandon"), QStringLiteral("ability"), QStringLiteral("able"),
                               QStringLiteral("aboard"),  QStringLiteral("abolish"), QStringLiteral("abound")};
    const unsigned long styles[] = {0, ListViewCtrl::LVS_FRAME, ListViewCtrl::LVS_DOTLINE};
    const char *const names[] = {"solid", "frame", "dotted"};
    for (int i = 0; i < 3; ++i) {
        auto *list = new ListViewCtrl(g.host(), "ListViewCtrl");
        list->ListViewCtrl_SetRange(10, 10, 300, 190);
        list->setFrameStyle(0);
        list->ListViewCtrl_AddColumn(QStringLiteral("Word"), 300);
        list->ListViewCtrl_ModifyStyle(0, styles[i]);
        list->ListViewCtrl_SetFocusColor(QColor(142, 207, 255));
        fillRows(list, words);
        list->show();
        const QString base = QStringLiteral("list-") + QLatin1String(names[i]);
        g.snap(base + QLatin1String("-normal"), list);
        list->ListViewCtrl_SelectItem(2);
        g.snap(base + QLatin1String("-selected"), list);
        list->setFocus();
        g.snap(base + QLatin1String("-focus"), list);
        list->setEnabled(false);
        g.snap(base + QLatin1String("-disabled"), list);
        list->hide();
    }

    auto *history = new ListViewCtrl(g.host(), "ListViewCtrl");
    history->ListViewCtrl_SetRange(0, 32, 480, 197);
    history->setFrameStyle(0);
    history->ListViewCtrl_AddColumn(QStringLiteral("Dic type"), 64);
    history->ListViewCtrl_AddColumn(QStringLiteral("Word"), 403);
    history->setColumnAlignment(0, Qt::AlignHCenter | Qt::AlignVCenter);
    history->ListViewCtrl_SetFocusColor(QColor(255, 190, 140));
    const char *const types[] = {"영한", "국어", "한영", "일한", "한자"};
    const char *const entries[] = {"dictionary", "사전", "사전", "じしょ", "辭典"};
    for (int i = 0; i < 5; ++i) {
        auto *item = new ListViewItem(history, QString::fromUtf8(types[i]), QString::fromUtf8(entries[i]));
        history->ListViewCtrl_AddItem(item, static_cast<unsigned long>(i));
    }
    history->show();
    history->ListViewCtrl_SelectItem(1);
    history->setFocus();
    g.snap(QStringLiteral("list-history-columns-focus"), history);
    history->hide();

    auto *words9 = new WordListViewCtrl(g.host(), "WordListView");
    words9->setFrameStyle(0);
    words9->ListViewCtrl_AddColumn(QStringLiteral("Word"), 480);
    words9->setPreViewMode(WordListViewCtrl::MODE_LIST);
    words9->setGeometry(0, 0, 480, 197);
    words9->getScrollBar()->setRange(1, 200);
    words9->getScrollBar()->setValue(40);
    words9->ListViewCtrl_SetFocusColor(QColor(142, 207, 255));
    for (int i = 0; i < 9; ++i)
        words9->insertItem(new ListViewItem(words9, QStringLiteral("headword %1").arg(40 + i)));
    words9->show();
    words9->setFocus();
    words9->setCurrentItem(3);
    g.snap(QStringLiteral("wordlist-mode100-focus"), words9);
    words9->setPreViewMode(WordListViewCtrl::MODE_HORIZONTAL);
    words9->setGeometry(0, 0, 480, 109);
    g.snap(QStringLiteral("wordlist-mode101-focus"), words9);
    words9->hide();
}

void menus(Gallery &g)
{
    auto *sub = new PopupMenu(g.host(), "Dic Popup");
    sub->PopupMenu_SetOemType(OEM_TYPE_SKIN);
    sub->PopupMenu_SetMenuWidthEx(42);
    sub->PopupMenu_AddItem(QStringLiteral("국어사전"), 7, QString(), QStringLiteral("k_dic.png"));
    sub->PopupMenu_AddItem(QStringLiteral("영한사전"), 10, QString(), QStringLiteral("ek_dic.png"));

    auto *menu = new PopupMenu(g.host(), "MenuPopup");
    menu->PopupMenu_SetOemType(OEM_TYPE_SKIN);
    menu->PopupMenu_SetMenuWidthEx(42);
    menu->PopupMenu_AddItem(QStringLiteral("통합검색"), 0, QString(), QStringLiteral("find.png"));
    menu->PopupMenu_AddItemEx(QStringLiteral("사전"), sub, 1, QString(), QStringLiteral("dic.png"));
    menu->PopupMenu_AddItemEx(QStringLiteral("부가사전"), nullptr, 2, QString(), QStringLiteral("word_add.png"));
    menu->PopupMenu_AddItem(QStringLiteral("학습기능"), 4, QString(), QStringLiteral("study.png"));
    menu->PopupMenu_AddItem(QStringLiteral("설정"), 5, QString(), QStringLiteral("setting.png"));
    menu->PopupMenu_AddItem(QStringLiteral("종료"), 6, QString(), QStringLiteral("exit.png"));
    menu->PopupMenu_SetEnableItem(2, 0);
    menu->popup(g.host()->mapToGlobal(QPoint(0, 23)));
    g.snap(QStringLiteral("popup-normal"), menu);
    menu->setActiveAction(menu->actionForId(5));
    g.snap(QStringLiteral("popup-focus"), menu);
    menu->hide();
}

void labelsAndTables(Gallery &g)
{
    auto *text = new TextCtrl(g.host(), "Main Text");
    text->TextCtrl_SetRange(18, 75, 321, 80);
    text->TextCtrl_SetFont(25);
    text->TextCtrl_SetAlign(Qt::AlignCenter);
    text->TextCtrl_SetText(QStringLiteral("Ambition"));
    text->show();
    g.snap(QStringLiteral("text-normal"), text);
    text->setEnabled(false);
    g.snap(QStringLiteral("text-disabled"), text);
    const TImage banner(QStringLiteral("ver_dic.png"));
    text->TextCtrl_SetImage(&banner);
    text->TextCtrl_SetRange(64, 20, 352, 57);
    g.snap(QStringLiteral("text-image"), text);
    text->hide();

    auto *table = new TableCtrl(g.host(), "WordTable");
    table->TableCtrl_ModifyStyle(0, 7);
    table->TableCtrl_SetOemType(OEM_TYPE_SKIN);
    table->TableCtrl_SetRange(0, 35, 480, 200);
    const QString chars = QStringLiteral("家歌價加可假街佳暇架");
    table->TableCtrl_AddItem(0, 0, QStringLiteral("3 획"), 0);
    table->TableCtrl_SetCanFocus(0, 0, false);
    for (int i = 0; i < chars.size(); ++i)
        table->TableCtrl_AddItem(i / 7, 1 + i % 7, chars.mid(i, 1), static_cast<unsigned long>(i + 1));
    table->TableCtrl_SetFixItemSize(56, 40);
    table->show();
    g.snap(QStringLiteral("table-skin1-normal"), table);
    table->setFocus();
    table->setCurrentCell(0, 2);
    g.snap(QStringLiteral("table-skin1-focus"), table);
    table->setEnabled(false);
    g.snap(QStringLiteral("table-skin1-disabled"), table);
    table->setEnabled(true);

    table->TableCtrl_ResetAllItems();
    table->TableCtrl_SetOemType(OEM_TYPE_TWOLINE);
    table->TableCtrl_SetFontSize(FONT_TYPE_SECOND, 10);
    const char *const readings[] = {"집 가", "노래 가", "값 가", "더할 가", "옳을 가"};
    for (int i = 0; i < 5; ++i)
        table->TableCtrl_AddItem(0, i, chars.mid(i, 1), QString::fromUtf8(readings[i]), 1);
    table->TableCtrl_SetFixItemSize(55, 30);
    table->setFocus();
    table->setCurrentCell(0, 1);
    g.snap(QStringLiteral("table-skin4-focus"), table);

    table->TableCtrl_ResetAllItems();
    table->TableCtrl_SetOemType(OEM_TYPE_IMAGE);
    const TImage star(QStringLiteral("star.png"));
    for (int i = 0; i < 4; ++i) {
        table->TableCtrl_SetImage(0, i, &star);
        table->TableCtrl_SetCanFocus(0, i, false);
    }
    table->TableCtrl_SetFixItemSize(56, 40);
    g.snap(QStringLiteral("table-skin3-images"), table);
    table->hide();
}

QList<Shot> pixmapShots(const QString &dir)
{
    QList<Shot> shots;
    QStringList files;
    QDirIterator it(dir, {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    for (const QString &file : files)
        shots.append({QDir(dir).absolutePath() == QString()
                              ? file
                              : QDir(QDir(dir).absolutePath()).relativeFilePath(QFileInfo(file).absoluteFilePath()),
                      QImage(file)});
    return shots;
}

} // namespace

int main(int argc, char **argv)
{
    QString pics, outDir;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--pics") && i + 1 < argc)
            pics = QString::fromLocal8Bit(argv[++i]);
        else
            outDir = arg;
    }
    if (outDir.isEmpty()) {
        fprintf(stderr, "usage: lumi-gallery [--pics <pixmap directory>] <output directory>\n");
        return 2;
    }
    if (!pics.isEmpty()) {
        if (!pics.endsWith(QLatin1Char('/')))
            pics += QLatin1Char('/');
        qputenv("LUMI_PIXMAP_DIR", pics.toLocal8Bit());
    }

    QApplication app(argc, argv);
    QPEApplication::registerFontSubstitutions();
    QFont uiFont(QStringLiteral("Tamsa"));
    uiFont.setPixelSize(13);
    QApplication::setFont(uiFont);

    QDir out(outDir);
    if (!out.mkpath(QStringLiteral("."))) {
        fprintf(stderr, "lumi-gallery: cannot create %s\n", qPrintable(outDir));
        return 1;
    }

    Gallery gallery(out);
    buttons(gallery);
    edits(gallery);
    lists(gallery);
    menus(gallery);
    labelsAndTables(gallery);
    Gallery::sheet(gallery.shots(), 1000, 1).save(out.filePath(QStringLiteral("controls.png")));
    QList<Shot> buttonShots;
    for (const Shot &shot : gallery.shots()) {
        if (shot.name.startsWith(QLatin1String("button")))
            buttonShots.append(shot);
    }
    Gallery::sheet(buttonShots, 1000, 3).save(out.filePath(QStringLiteral("buttons.png")));

    const QString pixmapDir = qEnvironmentVariable("LUMI_PIXMAP_DIR", QStringLiteral("/opt/Qtopia/pics/Lumi/"));
    const QList<Shot> pictures = pixmapShots(pixmapDir);
    Gallery::sheet(pictures, 1000, 2).save(out.filePath(QStringLiteral("pixmaps.png")));
    printf("lumi-gallery: %d control shots and %d pictures in %s\n", static_cast<int>(gallery.shots().size()),
           static_cast<int>(pictures.size()), qPrintable(out.absolutePath()));
    return 0;
}
