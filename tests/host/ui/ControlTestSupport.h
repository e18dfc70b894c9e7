#pragma once
#include <gtest/gtest.h>

#include "host/ui/Application.h"
#include "host/ui/Forms.h"
#include "host/win/MessageQueue.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"

// Every control test runs on a fresh headless desktop with an application object.
class ControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        desk = &THeadlessBackend::Install();
        app = new TApplication(nullptr);
        app->Initialize();
    }
    void TearDown() override
    {
        delete app;
        DoneWindowSystem();
    }

    // A shown form at a known place, owned by the application.
    TForm* ShownForm(int width = 400, int height = 300)
    {
        auto* form = new TForm(app);
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 100, width, height);
        form->Show();
        DispatchPendingMessages();
        return form;
    }

    THeadlessBackend* desk = nullptr;
    TApplication* app = nullptr;
};
