int afx_placeholder() { return 0; }
