#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/SystemsCatalogue.h"
#include "core/Error.h"

namespace qx::test {

// The systems catalogue in memory, for the catalogue's own rules: what is stored is listed, and
// every request is counted. A non-empty Failure makes the next requests fail with it.
struct TMemorySystems {
    std::map<int32_t, tSystemData> Systems;
    int32_t NextId = 100;
    std::string Failure;
    int Lists = 0;
    std::vector<int32_t> ContentAsked;
    std::vector<std::pair<int32_t, bool>> Puts; // id sent, delete
    int32_t DeleteAnswer = 0;

    void Add(const tSystemInfo& info, const std::string& content) {
        tSystemData data;
        static_cast<tSystemInfo&>(data) = info;
        data.Content = content;
        Systems[info.Id] = data;
    }
};

class TMemorySystemsServer : public TSystemsServer {
public:
    explicit TMemorySystemsServer(TMemorySystems& store) : FStore(store) {}
    std::vector<tSystemInfo> List() override {
        Check();
        ++FStore.Lists;
        std::vector<tSystemInfo> out;
        for (const auto& [id, data] : FStore.Systems) out.push_back(data);
        return out;
    }
    std::string Content(int32_t id) override {
        Check();
        FStore.ContentAsked.push_back(id);
        const auto found = FStore.Systems.find(id);
        return found == FStore.Systems.end() ? std::string() : found->second.Content;
    }
    int32_t Put(const tSystemData& data, bool remove) override {
        Check();
        FStore.Puts.emplace_back(data.Id, remove);
        if (remove) {
            if (FStore.DeleteAnswer == 0) FStore.Systems.erase(data.Id);
            return FStore.DeleteAnswer;
        }
        tSystemData stored = data;
        if (stored.Id == 0) stored.Id = FStore.NextId++;
        FStore.Systems[stored.Id] = stored;
        return stored.Id;
    }

private:
    void Check() const {
        if (!FStore.Failure.empty()) throw TAppError(FStore.Failure);
    }
    TMemorySystems& FStore;
};

inline std::unique_ptr<TSystemsServer> MemoryServer(TMemorySystems& store) {
    return std::make_unique<TMemorySystemsServer>(store);
}

} // namespace qx::test
