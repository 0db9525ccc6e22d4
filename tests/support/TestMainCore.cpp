#include "support/TestEnvironment.h"

#include "model/LanguageModule.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    SetUpTestEnvironment();
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    LanguageModule::Instance().Load();
    return RUN_ALL_TESTS();
}
