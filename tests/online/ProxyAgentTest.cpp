#include <gtest/gtest.h>

#include "core/ConfigFile.h"
#include "core/IniFile.h"
#include "online/HttpClient.h"
#include "online/ProxyAgent.h"
#include "support/TestSupport.h"

using namespace qx;
using namespace qx::test;

namespace {

struct AgentFixture : ::testing::Test {
    TRecordingShell Shell;
    TProxyAgent Agent;
    THttpClient Client;
    std::vector<std::string> Found = {"10.0.0.1:3128", "10.0.0.2:8080"};
    int Discoveries = 0;
    std::vector<bool> Saves;

    void SetUp() override {
        Agent.Attach(
            Shell, [this](bool withStatus) { 
                Saves.push_back(withStatus);
                Agent.Saved = true;
             },
            [this](const std::string&) {
                ++Discoveries;
                return Found;
            });
    }
};

} // namespace

TEST_F(AgentFixture, ModesDecideTheClientsProxyAndStrangeModesActAsOff) {
    Agent.ProxyServer = "proxy.local";
    Agent.ProxyPort = 3128;
    Agent.ProxyUsername = "u";
    Agent.ProxyPassword = "p";
    Agent.ProxyMode = 2;
    ASSERT_TRUE(Agent.ProxyPrepare("http://x/", Client));
    EXPECT_EQ(Client.Proxy().Server, "proxy.local");
    EXPECT_EQ(Client.Proxy().Password, "p");
    EXPECT_EQ(Agent.AttemptText(3, Client), "Попытка 3, proxy proxy.local : 3128");
    for (uint8_t mode : {0, 5, 255}) {
        Agent.ProxyMode = mode;
        ASSERT_TRUE(Agent.ProxyPrepare("http://x/", Client));
        EXPECT_EQ(Client.Proxy().Server, "") << int(mode);
        EXPECT_EQ(Agent.AttemptText(1, Client), "");
        EXPECT_FALSE(Agent.ProxyDropCurrent());
    }
    EXPECT_EQ(Discoveries, 0);
}

TEST_F(AgentFixture, AutomaticModeDiscoversDropsFailedCandidatesAndRemembersTheOneThatWorked) {
    Agent.ProxyMode = 1;
    Agent.Saved = true;
    ASSERT_TRUE(Agent.ProxyPrepare("http://x/", Client));
    EXPECT_EQ(Discoveries, 1);
    EXPECT_EQ(Client.Proxy().Server, "10.0.0.1");
    EXPECT_EQ(Client.Proxy().Port, 3128);
    EXPECT_FALSE(Agent.Saved);
    EXPECT_TRUE(Agent.ProxyDropCurrent());  // one candidate left
    ASSERT_TRUE(Agent.ProxyPrepare("http://x/", Client));
    EXPECT_EQ(Client.Proxy().Server, "10.0.0.2");
    EXPECT_EQ(Discoveries, 1);
    Agent.ProxyConfirm();
    Agent.ProxyConfirm();  // saved once only
    EXPECT_EQ(Saves, std::vector<bool>{false});
    EXPECT_FALSE(Agent.ProxyDropCurrent());  // none left
    EXPECT_EQ(Agent.ProxyServer, "");

    Agent.ProxyForget();
    Found.clear();
    EXPECT_FALSE(Agent.ProxyPrepare("http://x/", Client));
    EXPECT_EQ(Client.Proxy().Server, "");
    EXPECT_EQ(Shell.Errors(), std::vector<std::string>{"Ошибка получения списка proxy-серверов!\r\rНе найдено ни "
                                                       "одного proxy-сервера с заданными параметрами"});
}

TEST(ProxySettings, AbsentModeFollowsTheServerAndOddModesSurviveAsOff) {
    TProxyAgent agent;
    ReadProxy(TIniFile::Parse("[PROXY]\r\nProxyServer=host\r\n"), agent);
    EXPECT_EQ(agent.ProxyMode, 2);
    EXPECT_EQ(agent.ProxyPort, 80);
    EXPECT_TRUE(agent.Saved);
    ReadProxy(TIniFile::Parse("[PROXY]\r\n"), agent);
    EXPECT_EQ(agent.EffectiveMode(), 0);
    ReadProxy(TIniFile::Parse("[PROXY]\r\nProxyMode=5\r\nProxyServer=host\r\n"), agent);
    EXPECT_EQ(agent.EffectiveMode(), 0);
    ReadProxy(TIniFile::Parse("[PROXY]\r\nProxyMode=257\r\n"), agent);  // no wrapping round to automatic
    EXPECT_EQ(agent.EffectiveMode(), 0);
}
