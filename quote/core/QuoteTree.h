#pragma once
// The structure of a quotation: areas and work types under one root. Every node's key is its full
// path, the texts from the root down joined by "‧", so a key names exactly one node. Children keep
// the order in which they were added or inserted. The node collection keeps the order in which
// nodes were added; a node's index in it counts from 1 (the root is 1).
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace quote {

inline const QString kRootKey = QStringLiteral("Ｑ");      // U+FF31
inline const QString kPathSeparator = QStringLiteral("‧"); // U+2027

class QuoteTree {
public:
    struct Node {
        QString key;  // full path
        QString text; // the node's own text
        Node* parent = nullptr;
        std::vector<Node*> children; // in tree order
        bool isLeaf() const { return children.empty(); }
    };

    QuoteTree(); // the root "Ｑ" alone
    QuoteTree(const QuoteTree& other);
    QuoteTree& operator=(const QuoteTree& other);
    QuoteTree(QuoteTree&&) noexcept = default;
    QuoteTree& operator=(QuoteTree&&) noexcept = default;
    ~QuoteTree() = default;

    // Removes every node; the tree is empty until addRoot.
    void clear();
    // Adds the root (key and text alike) to an empty tree; nullptr when the tree has nodes.
    Node* addRoot(const QString& text);
    // The root "Ｑ" alone.
    void reset();

    const Node* root() const { return nodes_.empty() ? nullptr : nodes_.front().get(); }
    const Node* find(const QString& key) const { return byKey_.value(key, nullptr); }
    bool contains(const QString& key) const { return byKey_.contains(key); }
    int count() const { return int(nodes_.size()); }
    // Index in the node collection (1 = first added), 0 when no node has the key.
    int indexOf(const QString& key) const;
    const Node* at(int index) const { return nodes_[size_t(index - 1)].get(); }

    // Adds `text` as the last child of `parentKey` with the key parentKey‧text. nullptr when the
    // parent does not exist or the key is already taken.
    const Node* addChild(const QString& parentKey, const QString& text);
    // Adds `text` as the sibling immediately before `siblingKey`, with the key of the sibling's
    // parent ‧ text. nullptr for the root, a missing node or a key already taken.
    const Node* insertBefore(const QString& siblingKey, const QString& text);
    // Removes the node and its whole subtree; the root is never removed. False when nothing was removed.
    bool remove(const QString& key);

    // Keys of the leaves at or below `key`, depth first, children in tree order.
    QStringList leaves(const QString& key) const;

    // The same structure: nodes, texts and the order of children (not the collection order).
    bool operator==(const QuoteTree& other) const;

private:
    Node* addNode(Node* parent, const QString& key, const QString& text, Node* before);

    std::vector<std::unique_ptr<Node>> nodes_; // the node collection, in the order added
    QHash<QString, Node*> byKey_;
};

// The node's own name: the last part of its full path split at "‧" (frmQ.lndname).
QString lndname(const QString& fullPath);

} // namespace quote
