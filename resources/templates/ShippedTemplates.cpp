// Every template as builds of the program have written it, by its path in the program folder: the
// digests (stableDigest) of what each version held, oldest first: the last is what this build
// writes. A template with one of the others was never changed by the user and is replaced by the
// current one.
//
// A template whose description changes gets the digest of its new content added here, last (the
// template test names it): then the copies installed before the change are replaced.
#include "TemplateDescription.h"

namespace tpl {
namespace {

struct Shipped {
    const char* path;
    const char* digest;
};

constexpr Shipped kShipped[] = {
    {"Pother/Label.xlsx", "e42efdffcad0f25b38b867e7808bb792"},
    {"Pother/Label.xlsx", "d4c665247a6de0a6010e0ace4e70e9ac"},
    {"Pother/Label.xlsx", "ea28c88c66f6321323562183d9a3ff23"},
    {"Pother/Label.xlsx", "9a902c758fba6d08bc36f468c467b704"},
    {"Pother/Label.xlsx", "f774159e890613eacfca4fbfe1584004"},
    {"Pother/Label.xlsx", "9e5437186d2852578f055a18f664ccee"},
    {"Pother/其他詞庫.xlsx", "51ad02505675860bbe17776f98d43520"},
    {"Pother/其他詞庫.xlsx", "55c9c78f81b0f3c73685695fb5b7615a"},
    {"Pother/其他詞庫.xlsx", "1806f9d8b0ccce0cb82fc6afb4e8c406"},
    {"Pother/其他詞庫.xlsx", "d080abb8b71dea76e1ad6e4fd95eef11"},
    {"Pother/員工資料.xlsx", "c30071e106b6b425a4e80393ed8d0a36"},
    {"Pother/員工資料.xlsx", "f9122f1a9d86111c92399b67b9c0aca3"},
    {"Pother/員工資料.xlsx", "c2701617f91af328ab0d3180f9f95ca0"},
    {"Pother/員工資料.xlsx", "48e379c017a1222606e90622825055fd"},
    {"Pother/員工資料.xlsx", "5ee146ef3eef746651e49e660c94506c"},
    {"Pother/員工資料.xlsx", "7cdef49e4bb47e01bb93001ebefcc895"},
    {"Pother/客戶資料.xlsx", "3f1efa29f2c08c2f950925b984204ec5"},
    {"Pother/客戶資料.xlsx", "4ef00501072cb574d2b5ce3aa71f831f"},
    {"Pother/客戶資料.xlsx", "693164e103db376d061ff496ae45c9ea"},
    {"Pother/客戶資料.xlsx", "1403d2e76217913ffb2a1ae4d7cbb232"},
    {"Pother/客戶資料.xlsx", "4ccd74a408704ff952554635e8bb0651"},
    {"Pother/客戶資料.xlsx", "e5d85e4f87c115624a8f6a2bf34ddf3a"},
    {"Pother/工程種類.xlsx", "d1f4026c64a38891f4ed15cbef46df29"},
    {"Pother/工程種類.xlsx", "675adb6edf49bfd87d5e4f51eea0e3a5"},
    {"Pother/工程種類.xlsx", "cb8ec5a13b41ff9cb3ff446d338dad3a"},
    {"Pother/工程類別.xlsx", "200839363eed8844beaf23e1ad0bcfa5"},
    {"Pother/工程類別.xlsx", "1f075cd1e9d043adda3d0c3f06d19a73"},
    {"Pother/工程類別.xlsx", "8d4117696dbeb36ae9ba0d56f17f0e6d"},
    {"Pother/工程類別.xlsx", "5ecb4b3981c5d1119f2697f4bb7625a3"},
    {"Pother/廠商資料.xlsx", "d53a8d873978fe922fd8feeb71bb359f"},
    {"Pother/廠商資料.xlsx", "03f6a8f123130270b1f0bf0804756fc0"},
    {"Pother/廠商資料.xlsx", "4660520a9a27e079fd2ec1ef48eb95c3"},
    {"Pother/廠商資料.xlsx", "31fce05eca37cd01a46ea910f9970fcb"},
    {"Pother/廠商資料.xlsx", "ddc713ecc1b693623aa761729c6cffca"},
    {"Pother/廠商資料.xlsx", "6cdeb222b7e44aace4fefa84935a0fd6"},
    {"Pother/細項加成.xlsx", "03b6b682be95150722b394086f18e8e4"},
    {"Pother/細項加成.xlsx", "a308389d587a5ac5769ee4de65f8d83f"},
    {"Pother/細項加成.xlsx", "6be480ce28bb603cc462da47e96d92a1"},
    {"Pother/統計.xlsx", "d2e2963a2de96af72b76c5fefcfa5bf6"},
    {"Pother/統計.xlsx", "ee1ab256e8ad96ddb56e8e08659cdb8d"},
    {"Pother/統計.xlsx", "d95fc77e8bd63552edd2d3c04f30d47d"},
    {"Pother/統計.xlsx", "dd5574dc7a570972af3f557ce78ec561"},
    {"PrintC/成本分析.xlsx", "9813d425f0169675d5d2b174a57b2d5e"},
    {"PrintC/成本分析.xlsx", "a1cf0dd5d8eeb6ae41a9fba94eb832ef"},
    {"PrintC/成本分析.xlsx", "6607c61e09008fc7dfdd187483b611f9"},
    {"PrintC/成本分析.xlsx", "6f7fd2112f833c36959311775dee491f"},
    {"PrintC/成本分析.xlsx", "9e1fa2d7734058ed7b4727651ba73c7d"},
    {"PrintC/成本分析.xlsx", "00e47d95d2cb4a96fee3339f44184efa"},
    {"PrintC/成本分析.xlsx", "3ad247fd186bf5c3562ea434837e3663"},
    {"PrintNF/單張報價單.xlsx", "bf5cd1dbdf6feb635a451d88232d2291"},
    {"PrintNF/單張報價單.xlsx", "2af3d12608665f2cb39fff46842a6c80"},
    {"PrintNF/單張報價單.xlsx", "22286af7ecb7ab76b3689daec37dc3ef"},
    {"PrintNF/單張報價單.xlsx", "bd9ee93ee1ce59773227ee98ee25eea0"},
    {"PrintNF/單張報價單.xlsx", "ffd70c4025bd02dffbd4768fabff3ce2"},
    {"PrintNF/單張報價單.xlsx", "a5afd1f9739b42b37716a127f492030f"},
    {"PrintNF/單張報價單.xlsx", "65032ba84d3a41e74ed7dfd691406430"},
    {"PrintQ/報價單.xlsx", "a4b2851556768cc85ebbda844634b6f0"},
    {"PrintQ/報價單.xlsx", "5ef77ed8920d8e39e90b08267674805f"},
    {"PrintQ/報價單.xlsx", "c02e2f69bba37793416d813facd44d31"},
    {"PrintQ/報價單.xlsx", "7e818b443eda78fa4ac9221d6d74209c"},
    {"PrintQ/報價單.xlsx", "a8d629dfc94836297df3e8c3d4cea897"},
    {"PrintQ/報價單.xlsx", "95fcb9b280ced29d8918cee69ad690e6"},
    {"PrintQ/報價單.xlsx", "e140ffbd41ebc3154b6ff20bd80c312c"},
    {"PrintS/空白報價單.xlsx", "a4b2851556768cc85ebbda844634b6f0"},
    {"PrintS/空白報價單.xlsx", "5ef77ed8920d8e39e90b08267674805f"},
    {"PrintS/空白報價單.xlsx", "c02e2f69bba37793416d813facd44d31"},
    {"PrintS/空白報價單.xlsx", "7e818b443eda78fa4ac9221d6d74209c"},
    {"PrintS/空白報價單.xlsx", "a8d629dfc94836297df3e8c3d4cea897"},
    {"PrintS/空白報價單.xlsx", "95fcb9b280ced29d8918cee69ad690e6"},
    {"PrintS/空白報價單.xlsx", "e140ffbd41ebc3154b6ff20bd80c312c"},
};

} // namespace

bool shippedBefore(const QString& relativePath, const QByteArray& digest) {
    for (const Shipped& s : kShipped)
        if (digest == s.digest && relativePath == QString::fromUtf8(s.path))
            return true;
    return false;
}

QByteArray currentDigest(const QString& relativePath) {
    QByteArray last;
    for (const Shipped& s : kShipped)
        if (relativePath == QString::fromUtf8(s.path))
            last = s.digest;
    return last;
}

} // namespace tpl
