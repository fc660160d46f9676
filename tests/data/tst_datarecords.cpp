// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "Data.h"

#include <QTest>

class tst_DataRecords : public QObject
{
    Q_OBJECT

private slots:
    void neutralAnswers_data();
    void neutralAnswers();
    void settersStoreInRangeOnly();
    void subListOwnership();
    void listAccess();
};

void tst_DataRecords::neutralAnswers_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("negative") << -1;
    QTest::newRow("one past the end") << 3;
    QTest::newRow("far out") << 5;
    QTest::newRow("huge") << (1 << 30);
}

void tst_DataRecords::neutralAnswers()
{
    QFETCH(int, index);
    DataItem item(3, 3, 3, 3);
    QCOMPARE(item.GetString(index), QString());
    QCOMPARE(item.GetValue(index), -1);
    QVERIFY(!item.GetSubList(index));
    QVERIFY(item.GetImage(index).isNull());

    // In range: the initial values.
    QCOMPARE(item.GetValue(2), 0);
    QVERIFY(item.GetString(0).isEmpty());
    QVERIFY(!item.GetSubList(0));
    QCOMPARE(item.GetStringCount(), 3);
    QCOMPARE(item.GetImageCount(), 3);

    DataItem empty(0, 0, 0, 0);
    QCOMPARE(empty.GetValue(0), -1);
    QCOMPARE(empty.GetStringCount(), 0);
    DataItem negative(-2, -1, -5, -1);
    QCOMPARE(negative.GetValueCount(), 0);
    QCOMPARE(negative.GetSubListCount(), 0);
}

void tst_DataRecords::settersStoreInRangeOnly()
{
    DataItem item(2, 3, 1, 1);
    QCOMPARE(item.SetString(1, QStringLiteral("사과")), 1);
    QCOMPARE(item.GetString(1), QStringLiteral("사과"));
    QCOMPARE(item.SetString(2, QStringLiteral("x")), 0);
    QCOMPARE(item.SetString(-1, QStringLiteral("x")), 0);
    QCOMPARE(item.SetValue(2, 42), 1);
    QCOMPARE(item.GetValue(2), 42);
    QCOMPARE(item.SetValue(3, 7), 0);
    QCOMPARE(item.GetValue(5), -1);
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QCOMPARE(item.SetImage(0, image), 1);
    QCOMPARE(item.GetImage(0).pixel(0, 0), image.pixel(0, 0));
    QCOMPARE(item.SetImage(1, image), 0);
}

void tst_DataRecords::subListOwnership()
{
    // Under AddressSanitizer a double delete or a leak-free use-after-free would abort here.
    auto *item = new DataItem(1, 0, 2, 0);
    auto *list = new DataList;
    list->AddItem(new DataItem(1, 0, 0, 0));
    QCOMPARE(item->SetSubList(0, list), 1);
    QCOMPARE(item->GetSubList(0), list);
    QCOMPARE(item->SetSubList(0, list), 1); // storing the same list again keeps it alive
    QCOMPARE(item->GetSubList(0)->GetCount(), 1);
    // A refused list is still owned (destroyed) by the item, never leaked.
    QCOMPARE(item->SetSubList(2, new DataList), 0);
    QCOMPARE(item->SetSubList(1, nullptr), 1);
    QVERIFY(!item->GetSubList(1));
    // Replacing destroys the old list; the new one is answered.
    auto *other = new DataList;
    QCOMPARE(item->SetSubList(0, other), 1);
    QCOMPARE(item->GetSubList(0), other);
    delete item;
}

void tst_DataRecords::listAccess()
{
    DataList list;
    QCOMPARE(list.GetCount(), 0);
    QVERIFY(!list.GetItem(0));
    QCOMPARE(list.AddItem(nullptr), 0);
    QCOMPARE(list.GetCount(), 0);
    auto *first = new DataItem(1, 1, 0, 0);
    auto *second = new DataItem(1, 1, 0, 0);
    QCOMPARE(list.AddItem(first), 1);
    QCOMPARE(list.AddItem(second), 1);
    QCOMPARE(list.GetCount(), 2);
    QCOMPARE(list.GetItem(0), first);
    QCOMPARE(list.GetItem(1), second);
    QVERIFY(!list.GetItem(2));
    QVERIFY(!list.GetItem(-1));
}

QTEST_GUILESS_MAIN(tst_DataRecords)
#include "tst_datarecords.moc"
