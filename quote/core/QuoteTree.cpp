#include "QuoteTree.h"

#include <algorithm>
#include <unordered_set>

namespace quote {

QuoteTree::QuoteTree() {
    reset();
}

QuoteTree::QuoteTree(const QuoteTree& other) {
    *this = other;
}

QuoteTree& QuoteTree::operator=(const QuoteTree& other) {
    if (this == &other)
        return *this;
    clear();
    // Rebuild node by node in collection order; children are then linked in their tree order.
    nodes_.reserve(other.nodes_.size());
    for (const auto& n : other.nodes_) {
        auto copy = std::make_unique<Node>();
        copy->key = n->key;
        copy->text = n->text;
        byKey_.insert(copy->key, copy.get());
        nodes_.push_back(std::move(copy));
    }
    for (size_t i = 0; i < nodes_.size(); ++i) {
        const Node& src = *other.nodes_[i];
        Node& dst = *nodes_[i];
        if (src.parent)
            dst.parent = byKey_.value(src.parent->key);
        for (const Node* c : src.children)
            dst.children.push_back(byKey_.value(c->key));
    }
    return *this;
}

void QuoteTree::clear() {
    nodes_.clear();
    byKey_.clear();
}

QuoteTree::Node* QuoteTree::addRoot(const QString& text) {
    if (!nodes_.empty())
        return nullptr;
    return addNode(nullptr, text, text, nullptr);
}

void QuoteTree::reset() {
    clear();
    addRoot(kRootKey);
}

int QuoteTree::indexOf(const QString& key) const {
    const Node* n = find(key);
    if (!n)
        return 0;
    for (size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i].get() == n)
            return int(i) + 1;
    return 0;
}

QuoteTree::Node* QuoteTree::addNode(Node* parent, const QString& key, const QString& text, Node* before) {
    auto node = std::make_unique<Node>();
    node->key = key;
    node->text = text;
    node->parent = parent;
    Node* raw = node.get();
    if (parent) {
        auto& siblings = parent->children;
        siblings.insert(before ? std::find(siblings.begin(), siblings.end(), before) : siblings.end(), raw);
    }
    byKey_.insert(key, raw);
    nodes_.push_back(std::move(node));
    return raw;
}

const QuoteTree::Node* QuoteTree::addChild(const QString& parentKey, const QString& text) {
    Node* parent = byKey_.value(parentKey, nullptr);
    const QString key = parentKey + kPathSeparator + text;
    if (!parent || byKey_.contains(key))
        return nullptr;
    return addNode(parent, key, text, nullptr);
}

const QuoteTree::Node* QuoteTree::insertBefore(const QString& siblingKey, const QString& text) {
    Node* sibling = byKey_.value(siblingKey, nullptr);
    if (!sibling || !sibling->parent)
        return nullptr;
    const QString key = sibling->parent->key + kPathSeparator + text;
    if (byKey_.contains(key))
        return nullptr;
    return addNode(sibling->parent, key, text, sibling);
}

bool QuoteTree::remove(const QString& key) {
    Node* node = byKey_.value(key, nullptr);
    if (!node || !node->parent)
        return false;
    auto& siblings = node->parent->children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), node));

    std::unordered_set<const Node*> gone;
    std::vector<Node*> stack{node};
    while (!stack.empty()) {
        Node* n = stack.back();
        stack.pop_back();
        gone.insert(n);
        byKey_.remove(n->key);
        stack.insert(stack.end(), n->children.begin(), n->children.end());
    }
    std::erase_if(nodes_, [&](const std::unique_ptr<Node>& n) { return gone.count(n.get()) > 0; });
    return true;
}

QStringList QuoteTree::leaves(const QString& key) const {
    QStringList out;
    const Node* start = find(key);
    if (!start)
        return out;
    std::vector<const Node*> stack{start};
    while (!stack.empty()) {
        const Node* n = stack.back();
        stack.pop_back();
        if (n->isLeaf()) {
            out.append(n->key);
            continue;
        }
        stack.insert(stack.end(), n->children.rbegin(), n->children.rend());
    }
    return out;
}

bool QuoteTree::operator==(const QuoteTree& other) const {
    // The same nodes with the same texts, each with the same children in the same order.
    if (nodes_.size() != other.nodes_.size())
        return false;
    for (const auto& n : nodes_) {
        const Node* o = other.find(n->key);
        if (!o || o->text != n->text || o->children.size() != n->children.size() || !o->parent != !n->parent)
            return false;
        for (size_t c = 0; c < n->children.size(); ++c)
            if (o->children[c]->key != n->children[c]->key)
                return false;
    }
    return true;
}

QString lndname(const QString& fullPath) {
    const qsizetype at = fullPath.lastIndexOf(kPathSeparator);
    return at < 0 ? fullPath : fullPath.mid(at + kPathSeparator.size());
}

} // namespace quote
