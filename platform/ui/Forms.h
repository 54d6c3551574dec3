#pragma once
// Windows with the life cycle the program's windows expect: one default instance per window class,
// created on first reference with its load handler run, destroyed by unload (which the window may
// refuse), and a fresh instance on the next reference. Every loaded window is listed so that the
// exit path can close them all through their own close paths.
#include <QList>
#include <QPointer>
#include <QWidget>

class QCloseEvent;

namespace ui {

class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    // Runs the load handler once, as one load of the database (see db::LoadSession); Default<T>::get()
    // calls it.
    void load();
    // The close path: Form_QueryUnload may refuse (false comes back and the window stays);
    // otherwise Form_Unload runs, the window is hidden and destroyed once control returns to the
    // event loop. True when the window is unloaded (or was already).
    bool unload();
    bool isUnloaded() const { return m_unloaded; }

    // Shows the window modally, as a dialog of the window that opened it (no minimise button), and
    // returns once it is unloaded or hidden by the program; minimised by the window system it stays
    // open and modal.
    void showModal();

    // Windows with a higher priority are closed first by unloadAllForms.
    void setUnloadPriority(int p) { m_priority = p; }
    int unloadPriority() const { return m_priority; }

signals:
    void unloaded();

protected:
    // Runs first, before the window counts as loaded (loadedForms does not list it yet), so that
    // nothing it does asks this window to close. False: the window does not open; it is unloaded
    // without its close path and its load handler never runs.
    virtual bool Form_Initialize() { return true; }
    virtual void Form_Load() {}
    // False keeps the window open.
    virtual bool Form_QueryUnload() { return true; }
    virtual void Form_Unload() {}

    void closeEvent(QCloseEvent* e) override;

private:
    bool m_loaded = false;
    bool m_inUnload = false;
    bool m_unloaded = false;
    int m_priority = 0;
    quint64 m_loadOrder = 0;
    friend QList<Form*> loadedForms();
};

// Every loaded window, highest unload priority first, then in load order.
QList<Form*> loadedForms();
// Unloads every loaded window except `except`, highest priority first, each through its own close
// path (a visible window is brought to the front first). Stops at the first window that refuses and
// returns false; true when all of them unloaded.
bool unloadAllForms(Form* except = nullptr);

// The default instance of a window class.
template <class T> class Default {
public:
    // The instance, created (and loaded) when there is none.
    static T* get() {
        if (!isLoaded()) {
            s_instance = new T;
            s_instance->load();
        }
        return s_instance.data();
    }
    // Whether an instance is loaded; never creates one.
    static bool isLoaded() { return s_instance && !s_instance->isUnloaded(); }
    // Unloads the instance if there is one; false when it refused.
    static bool unload() { return isLoaded() ? s_instance->unload() : true; }

private:
    static inline QPointer<T> s_instance;
};

} // namespace ui
