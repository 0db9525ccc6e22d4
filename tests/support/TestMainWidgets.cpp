#include "support/TestEnvironment.h"

#include "model/LanguageModule.h"

#include <QApplication>
#include <QStyleFactory>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    SetUpTestEnvironment();
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    ::testing::InitGoogleTest(&argc, argv);
    LanguageModule::Instance().Load();
    return RUN_ALL_TESTS();
}
